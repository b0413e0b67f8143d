// The largest and smallest outer sizes a form may take while the user sizes
// or maximizes it.
#pragma once

#include "resize/geometry.h"
#include "resize/work_area.h"

namespace velotune {

// Each pair takes effect only when both of its values are above 0.
struct SizeLimits {
  int maxWidth = 0;
  int maxHeight = 0;
  int minWidth = 0;
  int minHeight = 0;
  bool HasMax() const { return maxWidth > 0 && maxHeight > 0; }
  bool HasMin() const { return minWidth > 0 && minHeight > 0; }
};

// Limits a rectangle the user is dragging. The right and bottom edges move,
// whichever edge is being dragged.
void LimitSizingRect(KitRect& rect, const SizeLimits& limits);

// What the form may take when maximized.
struct MaximizeLimits {
  KitSize maxSize;
  KitPoint maxPosition;
};

// From the system's proposed maximized position and the window's current
// rectangle. The maximum size is also the maximum tracking size. On the later
// systems (KitLaterSystem) the position is taken from the work area's corner.
MaximizeLimits ComputeMaximizeLimits(const WorkArea& area, const SizeLimits& limits,
                                     KitPoint proposedPosition, const KitRect& window,
                                     bool laterSystem);

// After a rescale of a maximized form with a maximum size: the position that
// brings the window back inside the usable area, or false when it fits.
bool KeepMaximizedInside(const WorkArea& area, bool validTaskbar, const KitRect& window,
                         KitPoint* moveTo);

}  // namespace velotune
