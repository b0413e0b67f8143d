// How a spin control and an edit's flat frame are laid out and which frames
// of the spin strips they show: pure functions over rectangles and states.
#pragma once

#include "skin/data/bitmap.h"

namespace velotune::skin {

// The looks of one half; its frame is the look in the first half (up or
// left) and the look + 4 in the second (down or right).
enum SpinLook : int { slNormal = 1, slPressed = 2, slDisabled = 3 };

struct SpinHalves {
  Rect first;   // up, or left when horizontal
  Rect second;  // down, or right
};

// The control split at half its height (vertical) or width (horizontal).
SpinHalves SplitSpin(const Rect& area, bool horizontal);

// 0 for the first half, 1 for the second: where a point lies.
int SpinHalfAt(const Rect& area, bool horizontal, int x, int y);

int SpinLookOf(bool enabled, bool pressedHere);
int SpinStripFrame(int look, int half);

// A cell of cellWidth x cellHeight centred in a half.
Rect CentredCell(const Rect& half, int cellWidth, int cellHeight);

// Where a spin that lives inside an edit draws, in the spin's own client
// coordinates: at least `inset` pixels inside the edit's top, bottom and
// right edges, so that the edit's flat frame stays visible. spin is the spin
// window's rectangle and edit the edit window's, both on the screen.
Rect EmbeddedSpinArea(const Rect& spin, const Rect& edit, int inset = 3);

// An edit has a border to draw over when its client area is smaller than its
// window both ways.
bool EditHasBorder(int clientWidth, int clientHeight, int windowWidth, int windowHeight);

}  // namespace velotune::skin
