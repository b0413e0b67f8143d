// What a window's paint shows on screen, for composing off screen only there.
#pragma once

#include <windows.h>

namespace velotune {

// The part of a window that a DC from its BeginPaint can reach on screen (its
// visible region: children and overlapping windows left out, the update
// region only), in the window's client coordinates. A buffer clipped to it
// and then copied whole to that DC gives the same screen: nothing drawn
// outside it would have been copied.
class ShownRegion {
 public:
  ShownRegion(HDC paintDc, HWND window);
  ~ShownRegion();
  ShownRegion(const ShownRegion&) = delete;
  ShownRegion& operator=(const ShownRegion&) = delete;

  // Known, and without a pixel on screen: nothing needs to be drawn.
  bool Empty() const;
  // Limits drawing on dc (in the window's client coordinates) to the region;
  // when the region is unknown, dc is left as it is.
  void ClipTo(HDC dc) const;

 private:
  HRGN region_ = nullptr;
};

}  // namespace velotune
