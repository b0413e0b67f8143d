// Where a skinned tab control's parts go, for tabs on any side: the images
// turned to face the pane, the pane and the strip of tabs, each tab's place in
// the strip (composed lying flat and turned at the end), its close box and
// where its image and text start. Pure functions over rectangles and bitmaps.
#pragma once

#include "skin/data/bitmap.h"
#include "skin/data/bitmap_ops.h"
#include "skin/paint/dpi_scale.h"

namespace velotune::skin {

enum TabSide { tsTop, tsBottom, tsLeft, tsRight };

// From the tab control's style: TCS_BOTTOM (0x2) and TCS_VERTICAL (0x80).
TabSide TabSideOfStyle(unsigned long style);

// Turns the tab and pane images (either may be empty) so that their top edge
// faces away from the pane: upside down for bottom tabs; for left and right
// tabs only the pane turns, the strip is turned as a whole when composed.
// Each image's margins turn with it.
void TurnTabImages(TabSide side, Bitmap& tab, Margins& tabMargins, Bitmap& pane,
                   Margins& paneMargins);

// The control's display area grown by 4 on each side, then moved one pixel
// away from the tabs (pixels at 96 dots per inch, at the window's scale).
Rect PaneRect(const Rect& display, TabSide side, const DpiScale& scale = DpiScale());

// The part of the control on the tabs' side of the pane.
Rect StripRect(const Rect& control, const Rect& pane, TabSide side);

// The strip lying flat: for left and right tabs width and height exchange.
struct StripSize {
  int width = 0;
  int height = 0;
};
StripSize StripCanvasSize(const Rect& strip, TabSide side);

// A tab's rectangle (control coordinates) in the flat strip; canvasWidth is
// the flat strip's width, controlRight the control's right edge.
Rect TabRectInStrip(TabSide side, const Rect& tab, int canvasWidth, int controlRight,
                    int paneBottom, const DpiScale& scale = DpiScale());

// The close box in a tab's strip rectangle: 6 pixels square, 2 in from the
// top and right.
Rect CloseBoxRect(const Rect& tabInStrip, const DpiScale& scale = DpiScale());

// Where the block of image and text starts, from the tab's left: centred,
// but never less than 1 pixel in.
int TabBlockOffset(int tabWidth, int textWidth, int imageWidth, const DpiScale& scale = DpiScale());

}  // namespace velotune::skin
