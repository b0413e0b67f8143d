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
                               int frameWidth, int stripHeight) {
  FlatComboParts p;
  p.brushFrame = {1, 1, width - 1, height - 1};
  const Rect inner{2, 2, width - 2, height - 2};
  p.column = leftButton ? Rect{inner.left, inner.top, inner.left + thumbSize, inner.bottom}
                        : Rect{inner.right - thumbSize, inner.top, inner.right, inner.bottom};
  p.button = leftButton ? Rect{inner.left, inner.top, inner.left + frameWidth, inner.bottom}
                        : Rect{inner.right - frameWidth, inner.top, inner.right, inner.bottom};
  if (stripHeight < thumbSize) p.button.bottom = p.button.top + stripHeight;
  return p;
}

SunkComboParts SunkComboLayout(int width, int height, bool leftButton, int arrowWidth) {
  const int w = arrowWidth;
  SunkComboParts p;
  if (leftButton) {
    p.inner = {w + 4, 2, width - 2, height - 2};
    p.button = {0, 0, w + 2, height};
    p.arrow = {2, 0, w + 2, height};
  } else {
    p.inner = {2, 2, width - w - 4, height - 2};
    p.button = {width - w - 2, 0, width, height};
    p.arrow = {width - w - 2, 0, width - 2, height};
  }
  return p;
}

}  // namespace velotune::skin
