#include "resize/placement.h"

#include <algorithm>
#include <cstring>

namespace velotune {

const char* const kResizeFormPosNames[10] = {
    "rpDefault",      "rpTopLeft",     "rpTopCenter",  "rpTopRight",     "rpMiddleLeft",
    "rpMiddleCenter", "rpMiddleRight", "rpBottomLeft", "rpBottomCenter", "rpBottomRight",
};

int ResizeFormPosFromName(const char* name) {
  for (int i = 0; i < 10; ++i)
    if (std::strcmp(kResizeFormPosNames[i], name) == 0) return i;
  return -1;
}

namespace {
// Column and row of each position: 0 start, 1 centre, 2 end, -1 keep.
struct Anchor {
  int column;
  int row;
};
const Anchor kAnchors[10] = {
    {-1, -1}, {0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2},
};

int Coordinate(int anchor, int kept, int free) {
  switch (anchor) {
    case 0:
      return 0;
    case 1:
      return free / 2;
    case 2:
      return free;
    default:
      return kept;
  }
}
}  // namespace

bool KitLaterSystem(int osMajorVersion, int osMinorVersion) {
  return osMajorVersion >= 6 || osMinorVersion > 0;
}

KitPoint PlaceFormPosition(const WorkArea& area, TResizeFormPos pos, KitPoint current, KitSize size,
                           bool laterSystem) {
  const int freeX = area.width - size.width;
  const int freeY = area.height - size.height;
  int x = current.x;
  int y = current.y;
  if (x + size.width > area.width) x = freeX;
  if (y + size.height > area.height) y = freeY;

  const Anchor anchor = (pos >= rpDefault && pos <= rpBottomRight) ? kAnchors[pos] : kAnchors[0];
  x = std::max(Coordinate(anchor.column, x, freeX), 0);
  y = std::max(Coordinate(anchor.row, y, freeY), 0);

  if (!laterSystem) {
    if (area.edge == kTaskbarTop) y = std::max(y, area.taskbar.bottom);
    if (area.edge == kTaskbarLeft) x = std::max(x, area.taskbar.right);
  }
  return {x, y};
}

KitSize FirstShowSize(int formWidth, int formHeight, KitSize current, const WorkArea& area) {
  KitSize size{current.width + 1, current.height + 1};
  if (formWidth > 0 && formHeight > 0) size = {formWidth, formHeight};
  size.width = std::min(size.width, area.width);
  size.height = std::min(size.height, area.height);
  return size;
}

}  // namespace velotune
