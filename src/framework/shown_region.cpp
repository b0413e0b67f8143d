#include "framework/shown_region.h"

namespace velotune {

ShownRegion::ShownRegion(HDC paintDc, HWND window) {
  // A mirrored DC would need its region mirrored too: left unclipped.
  if (!paintDc || !window || GetLayout(paintDc) != 0) return;
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  if (!region) return;
  // The system region comes in screen coordinates.
  POINT origin{0, 0};
  if (GetRandomRgn(paintDc, region, SYSRGN) != 1 || !ClientToScreen(window, &origin)) {
    DeleteObject(region);
    return;
  }
  OffsetRgn(region, -origin.x, -origin.y);
  region_ = region;
}

ShownRegion::~ShownRegion() {
  if (region_) DeleteObject(region_);
}

bool ShownRegion::Empty() const {
  RECT box;
  return region_ && GetRgnBox(region_, &box) == NULLREGION;
}

void ShownRegion::ClipTo(HDC dc) const {
  if (region_) SelectClipRgn(dc, region_);
}

}  // namespace velotune
