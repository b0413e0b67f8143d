// The program's own track images, used when a skin has no [Track] or
// [TRACKVERT]: a flat groove 16x4 (horizontal) or 4x16 (vertical).
#pragma once

#include "skin/data/bitmap.h"

namespace velotune::skin {

Bitmap DefaultTrackBitmap(bool vertical);

}  // namespace velotune::skin
