#include "skin/default_track.h"

namespace velotune::skin {

namespace {

// Across the groove, from its outer edge inwards: shadow, dark shadow, face, light.
constexpr Pixel kGroove[4] = {MakePixel(128, 128, 128), MakePixel(64, 64, 64),
                              MakePixel(212, 208, 200), MakePixel(255, 255, 255)};

}  // namespace

Bitmap DefaultTrackBitmap(bool vertical) {
  const int length = 16;
  Bitmap out(vertical ? 4 : length, vertical ? length : 4, 24);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < length; ++j) {
      if (vertical)
        out.Set(i, j, kGroove[i]);
      else
        out.Set(j, i, kGroove[i]);
    }
  return out;
}

}  // namespace velotune::skin
