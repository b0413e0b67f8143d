// The frame of a skinned window and its region: the four edges' sizes taken
// from the skin, the client area they leave, the edges painted from the
// skin's pictures, and the window region cut from their transparent pixels.
#pragma once

#include <windows.h>

#include "skin/data/bitmap.h"
#include "skin/data/skin_data.h"
#include "skin/frame/frame_logic.h"

namespace velotune::skin {

class DpiScale;

class SkinFrame {
 public:
  // The edges' sizes for a window of this border kind (no menu-bar strip for a
  // window without a caption).
  void Measure(const TSkinData& data, BorderKind kind, const DpiScale& scale);
  const FrameSizes& Sizes() const { return sizes_; }
  // The menu-bar strip below the caption; 0 without one.
  int MenuBar() const { return menuBar_; }
  void SetMenuBar(int height) { menuBar_ = height; }

  // The client rectangle inside the window rectangle: the edges and the
  // menu-bar strip taken off.
  RECT ClientIn(RECT window) const;
  // The system's hit-test answer for its own caption, moved to the skin's: the
  // caption below the resizing band, the menu bar below the caption.
  LRESULT HitTest(LRESULT systemAnswer, int windowY, const DpiScale& scale) const;

  // An edge drawn at a size, in the window's active or inactive look.
  Bitmap EdgeImage(const TSkinData& data, SkinEdge edge, int width, int height, bool active) const;
  void PaintEdge(const TSkinData& data, SkinEdge edge, const RECT& rect, HDC dc, bool active) const;
  // The left, right and bottom edges of a window of that size.
  void PaintSides(const TSkinData& data, HDC dc, int width, int height, bool active) const;

  // Sets the window region from the edges' transparent pixels. Done again only
  // for a new size, unless `force`.
  void UpdateRegion(HWND window, const TSkinData& data, BorderKind kind, bool active, bool force);
  // The window has no region of ours any more.
  void ForgetRegion() { regionSize_ = SIZE{-1, -1}; }

 private:
  FrameSizes sizes_;
  int menuBar_ = 0;
  SIZE regionSize_{-1, -1};
};

}  // namespace velotune::skin
