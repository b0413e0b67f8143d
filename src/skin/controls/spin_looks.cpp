#include "skin/controls/spin_looks.h"

#include <algorithm>

namespace velotune::skin {

SpinHalves SplitSpin(const Rect& area, bool horizontal) {
  if (horizontal) {
    const int middle = area.left + area.Width() / 2;
    return {{area.left, area.top, middle, area.bottom},
            {middle, area.top, area.right, area.bottom}};
  }
  const int middle = area.top + area.Height() / 2;
  return {{area.left, area.top, area.right, middle}, {area.left, middle, area.right, area.bottom}};
}

int SpinHalfAt(const Rect& area, bool horizontal, int x, int y) {
  const SpinHalves halves = SplitSpin(area, horizontal);
  return horizontal ? (x < halves.second.left ? 0 : 1) : (y < halves.second.top ? 0 : 1);
}

int SpinLookOf(bool enabled, bool pressedHere) {
  if (!enabled) return slDisabled;
  return pressedHere ? slPressed : slNormal;
}

int SpinStripFrame(int look, int half) {
  return look + (half == 0 ? 0 : 4);
}

Rect CentredCell(const Rect& half, int cellWidth, int cellHeight) {
  const int left = half.left + (half.Width() - cellWidth) / 2;
  const int top = half.top + (half.Height() - cellHeight) / 2;
  return {left, top, left + cellWidth, top + cellHeight};
}

Rect EmbeddedSpinArea(const Rect& spin, const Rect& edit, int inset) {
  Rect area{0, 0, spin.Width(), spin.Height()};
  area.top += std::max(0, edit.top + inset - spin.top);
  area.bottom -= std::max(0, spin.bottom - (edit.bottom - inset));
  area.right -= std::max(0, spin.right - (edit.right - inset));
  return area;
}

bool EditHasBorder(int clientWidth, int clientHeight, int windowWidth, int windowHeight) {
  return clientWidth < windowWidth && clientHeight < windowHeight;
}

}  // namespace velotune::skin
