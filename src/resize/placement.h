// Where a form goes and how big it is when it is first shown.
#pragma once

#include "resize/geometry.h"
#include "resize/work_area.h"

namespace velotune {

enum TResizeFormPos : int {
  rpDefault,
  rpTopLeft,
  rpTopCenter,
  rpTopRight,
  rpMiddleLeft,
  rpMiddleCenter,
  rpMiddleRight,
  rpBottomLeft,
  rpBottomCenter,
  rpBottomRight,
};

// The enumeration's names in ordinal order, as the form description writes them.
extern const char* const kResizeFormPosNames[10];
// The ordinal for a name, or -1 when the name is not one of them.
int ResizeFormPosFromName(const char* name);

// The top-left corner of a form of outer size `size` whose window is now at
// `current`, placed at `pos` inside `area`. osMinorVersion 0 keeps the form
// off a taskbar at the top or left.
KitPoint PlaceFormPosition(const WorkArea& area, TResizeFormPos pos, KitPoint current, KitSize size,
                           int osMinorVersion);

// The outer size for the first showing: the configured one when both values
// are above 0, else the window's own size plus one pixel; clamped to the area.
KitSize FirstShowSize(int formWidth, int formHeight, KitSize current, const WorkArea& area);

}  // namespace velotune
