#include "resize/size_limits.h"

#include <algorithm>

namespace velotune {

void LimitSizingRect(KitRect& rect, const SizeLimits& limits) {
  if (limits.HasMax()) {
    if (rect.Width() > limits.maxWidth) rect.right = rect.left + limits.maxWidth;
    if (rect.Height() > limits.maxHeight) rect.bottom = rect.top + limits.maxHeight;
  }
  if (limits.HasMin()) {
    if (rect.Width() < limits.minWidth) rect.right = rect.left + limits.minWidth;
    if (rect.Height() < limits.minHeight) rect.bottom = rect.top + limits.minHeight;
  }
}

namespace {
// One axis of the maximized position of a form with a maximum size: start,
// end and the usable extent along the axis; `bar` is the taskbar's thickness
// when the taskbar lies at this axis' start edge, else 0.
int MaxPositionOnAxis(int start, int end, int extent, int maxExtent, int bar) {
  int position;
  if (start < 0) {
    position = bar;
  } else if (end <= extent) {
    position = (bar > 0 && bar >= start) ? bar : start;
  } else {
    position = extent - maxExtent + bar;
  }
  return std::max(position, 0);
}
}  // namespace

MaximizeLimits ComputeMaximizeLimits(const WorkArea& area, const SizeLimits& limits,
                                     KitPoint proposedPosition, const KitRect& window,
                                     bool laterSystem) {
  const int bw = area.taskbar.Width();
  const int bh = area.taskbar.Height();
  const bool barLeft = area.edge == kTaskbarLeft;
  const bool barTop = area.edge == kTaskbarTop;

  MaximizeLimits result;
  result.maxSize = limits.HasMax() ? KitSize{limits.maxWidth, limits.maxHeight}
                                   : KitSize{area.width, area.height};
  result.maxSize.width = std::min(result.maxSize.width, area.width);
  result.maxSize.height = std::min(result.maxSize.height, area.height);

  result.maxPosition = proposedPosition;
  if (limits.HasMax()) {
    result.maxPosition.x = MaxPositionOnAxis(window.left, window.right, area.width,
                                             result.maxSize.width, barLeft ? bw : 0);
    result.maxPosition.y = MaxPositionOnAxis(window.top, window.bottom, area.height,
                                             result.maxSize.height, barTop ? bh : 0);
  }
  if (laterSystem) {
    if (barTop) result.maxPosition.y -= bh;
    if (barLeft) result.maxPosition.x -= bw;
  }
  return result;
}

bool KeepMaximizedInside(const WorkArea& area, bool validTaskbar, const KitRect& window,
                         KitPoint* moveTo) {
  int w = area.width;
  int h = area.height;
  if (validTaskbar) {
    if (area.edge == kTaskbarTop) h += area.taskbar.Height();
    if (area.edge == kTaskbarLeft) w += area.taskbar.Width();
  }
  KitPoint to{window.left, window.top};
  if (window.bottom > h) to.y = h - window.Height();
  if (window.right > w) to.x = w - window.Width();
  if (to == KitPoint{window.left, window.top}) return false;
  *moveTo = to;
  return true;
}

}  // namespace velotune
