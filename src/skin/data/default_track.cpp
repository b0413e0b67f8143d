#include "skin/data/default_track.h"

namespace velotune::skin {

namespace {

// A flat groove, across it from one edge to the other: outline, fill, fill,
// outline; the ends are softened where the outlines meet.
constexpr Pixel kOutline = MakePixel(176, 183, 194);
constexpr Pixel kFill = MakePixel(228, 231, 236);
constexpr Pixel kCorner = MakePixel(208, 213, 221);

Pixel GroovePixel(int across, int along, int length) {
  const bool edgeAcross = across == 0 || across == 3;
  const bool end = along == 0 || along == length - 1;
  if (edgeAcross) return end ? kCorner : kOutline;
  return end ? kOutline : kFill;
}

}  // namespace

Bitmap DefaultTrackBitmap(bool vertical) {
  const int length = 16;
  Bitmap out(vertical ? 4 : length, vertical ? length : 4, 24);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < length; ++j) {
      if (vertical)
        out.Set(i, j, GroovePixel(i, j, length));
      else
        out.Set(j, i, GroovePixel(i, j, length));
    }
  return out;
}

}  // namespace velotune::skin
