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

// The kit tells two generations of systems apart by the minor version. On
// those with minor version 0 (Windows 95, NT 4.0, 2000) the kit itself keeps
// a form off a taskbar at the top or left and gives a maximized position
// from the screen's corner; later systems (minor version above 0) measure it
// from the work area's corner themselves. Vista (6.0) and Windows 10 and 11
// (10.0), once they report their true version, have minor version 0 again but
// are later systems.
bool KitLaterSystem(int osMajorVersion, int osMinorVersion);

// The top-left corner of a form of outer size `size` whose window is now at
// `current`, placed at `pos` inside `area`. Before the later systems the form
// is kept off a taskbar at the top or left.
KitPoint PlaceFormPosition(const WorkArea& area, TResizeFormPos pos, KitPoint current, KitSize size,
                           bool laterSystem);

// The outer size for the first showing: the configured one when both values
// are above 0, else the window's own size plus one pixel; clamped to the area.
KitSize FirstShowSize(int formWidth, int formHeight, KitSize current, const WorkArea& area);

}  // namespace velotune
