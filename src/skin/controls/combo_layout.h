// Where a skinned combo box's drop-down button goes and which frame of the
// skin's strips it shows: pure functions over the control's size and state.
#pragma once

#include "skin/data/bitmap.h"
#include "skin/paint/dpi_scale.h"

namespace velotune::skin {

// Frames of the combo strips: 1 normal, 2 pressed, 3 disabled, 4 hover or focused.
int ComboLook(bool pressed, bool focusedOrHover, bool disabled);

// The frame of a strip of `frames` that shows a look; a mirrored strip (a
// left-hand button's) holds its frames in reverse order.
int ComboStripFrame(int look, int frames, bool mirrored);

// The flat drawing (combo button Style 1) over a control of width x height:
// a frame in the control's brush one pixel in, the button column (as wide as
// the system's vertical thumb) filled with it one pixel further in, and the
// button (one strip frame wide, only as high as the strip when that is lower
// than the column) at the right edge, or the left one for a left-hand button.
struct FlatComboParts {
  Rect brushFrame;
  Rect column;
  Rect button;
};
FlatComboParts FlatComboLayout(int width, int height, bool leftButton, int thumbSize,
                               int frameWidth, int stripHeight, const DpiScale& scale = DpiScale());

// The sunk-edge drawing (the default): the inner area left out of the
// drawing, the button over the full height and the arrow area inside it;
// arrowWidth is the system's horizontal-scroll-arrow width.
struct SunkComboParts {
  Rect inner;
  Rect button;
  Rect arrow;
};
SunkComboParts SunkComboLayout(int width, int height, bool leftButton, int arrowWidth,
                               const DpiScale& scale = DpiScale());

}  // namespace velotune::skin
