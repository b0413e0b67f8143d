// A skinned track bar's channel: the track image drawn in three pieces (two
// fixed ends and a stretched middle) along the channel. Pure.
#pragma once

#include <vector>

#include "skin/data/bitmap.h"

namespace velotune::skin {

struct ImagePiece {
  Rect dst;  // in the coordinates the channel is given in
  Rect src;  // in the image
};

// Horizontal: the image at its own height, its first `headLength` columns at
// the channel's left, its last `tailLength` at the right and the columns
// between stretched over the rest; an image lower than the channel is
// centred in it. Vertical: the same with rows, the image at its own width,
// centred across a wider channel. Ends longer than the channel share it.
std::vector<ImagePiece> ChannelPieces(const Rect& channel, int imageWidth, int imageHeight,
                                      int headLength, int tailLength, bool vertical);

}  // namespace velotune::skin
