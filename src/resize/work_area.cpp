#include "resize/work_area.h"

#include <algorithm>

namespace velotune {

namespace {
int EdgeOf(const KitRect& bar) {
  if (bar.Width() > bar.Height()) return bar.top > 0 ? kTaskbarBottom : kTaskbarTop;
  return bar.left > 0 ? kTaskbarRight : kTaskbarLeft;
}

// An auto-hiding taskbar takes no room: its rectangle shrinks to its outer line.
void CollapseToZeroThickness(KitRect& bar, int edge) {
  switch (edge) {
    case kTaskbarTop:
      bar.bottom = bar.top;
      break;
    case kTaskbarLeft:
      bar.right = bar.left;
      break;
    case kTaskbarRight:
      bar.left = bar.right;
      break;
    case kTaskbarBottom:
      bar.top = bar.bottom;
      break;
  }
}
}  // namespace

WorkArea ComputeWorkArea(const ScreenFacts& facts, bool validTaskbar) {
  WorkArea area;
  area.width = facts.screenWidth;
  area.height = facts.screenHeight;
  if (!facts.taskbarKnown) return area;

  KitRect bar = facts.taskbar;
  bar.left = std::max(bar.left, 0);
  bar.top = std::max(bar.top, 0);
  bar.right = std::min(bar.right, facts.screenWidth);
  bar.bottom = std::min(bar.bottom, facts.screenHeight);
  area.edge = EdgeOf(bar);
  if (facts.taskbarAutoHides) CollapseToZeroThickness(bar, area.edge);
  area.taskbar = bar;

  if (validTaskbar) {
    if (area.edge == kTaskbarLeft || area.edge == kTaskbarRight) area.width -= bar.Width();
    if (area.edge == kTaskbarTop || area.edge == kTaskbarBottom) area.height -= bar.Height();
  }
  return area;
}

}  // namespace velotune
