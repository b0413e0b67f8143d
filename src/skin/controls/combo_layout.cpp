#include "skin/controls/combo_layout.h"

namespace velotune::skin {

int ComboLook(bool pressed, bool focusedOrHover, bool disabled) {
  if (disabled) return 3;
  if (pressed) return 2;
  return focusedOrHover ? 4 : 1;
}

int ComboStripFrame(int look, int frames, bool mirrored) {
  return mirrored ? frames + 1 - look : look;
}

FlatComboParts FlatComboLayout(int width, int height, bool leftButton, int thumbSize,
                               int frameWidth, int stripHeight, const DpiScale& scale) {
  FlatComboParts p;
  const int one = scale.Px(1), two = scale.Px(2);
  p.brushFrame = {one, one, width - one, height - one};
  const Rect inner{two, two, width - two, height - two};
  p.column = leftButton ? Rect{inner.left, inner.top, inner.left + thumbSize, inner.bottom}
                        : Rect{inner.right - thumbSize, inner.top, inner.right, inner.bottom};
  p.button = leftButton ? Rect{inner.left, inner.top, inner.left + frameWidth, inner.bottom}
                        : Rect{inner.right - frameWidth, inner.top, inner.right, inner.bottom};
  if (stripHeight < thumbSize) p.button.bottom = p.button.top + stripHeight;
  return p;
}

SunkComboParts SunkComboLayout(int width, int height, bool leftButton, int arrowWidth,
                               const DpiScale& scale) {
  const int w = arrowWidth, two = scale.Px(2), four = scale.Px(4);
  SunkComboParts p;
  if (leftButton) {
    p.inner = {w + four, two, width - two, height - two};
    p.button = {0, 0, w + two, height};
    p.arrow = {two, 0, w + two, height};
  } else {
    p.inner = {two, two, width - w - four, height - two};
    p.button = {width - w - two, 0, width, height};
    p.arrow = {width - w - two, 0, width - two, height};
  }
  return p;
}

}  // namespace velotune::skin
