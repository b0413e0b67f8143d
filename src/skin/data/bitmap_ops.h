// Pixel operations on portable bitmaps used to derive skin images: cropping,
// mirroring, filling and (nearest-pixel) stretching, optionally leaving out
// magenta so the skin's transparent parts stay untouched.
#pragma once

#include "skin/data/bitmap.h"

namespace velotune::skin {

// A pixel counts as transparent when it is magenta, allowing green 0 or 1.
inline bool IsTransparentPixel(Pixel p) {
  return PixelRed(p) == 255 && PixelGreen(p) <= 1 && PixelBlue(p) == 255;
}

// The part of src inside rect (clipped to src), as a 24-bit bitmap.
Bitmap Crop(const Bitmap& src, const Rect& rect);

// A 24-bit copy with every pixel row reversed.
Bitmap MirrorHorizontal(const Bitmap& src);

// A 24-bit copy with the rows in reverse order (upside down).
Bitmap FlipVertical(const Bitmap& src);

// A 24-bit copy turned a quarter: clockwise, the top edge becomes the right
// edge; counter-clockwise, it becomes the left edge.
Bitmap TurnQuarter(const Bitmap& src, bool clockwise);

void FillRect(Bitmap& dst, const Rect& rect, Pixel colour);

// Stretches srcRect of src onto dstRect of dst, nearest pixel; both rectangles
// are clipped to their bitmaps. With transparent set, magenta source pixels
// are skipped.
void StretchCopy(Bitmap& dst, const Rect& dstRect, const Bitmap& src, const Rect& srcRect,
                 bool transparent);

// The rectangle of frame index (1-based) when a bitmap is cut into count
// frames, side by side or stacked vertically. Out-of-range counts and indexes
// are clamped so the rectangle always lies inside the bitmap.
Rect FrameRect(const Bitmap& src, int count, int index, bool stacked);

struct Margins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Renders one frame of src into a new bitmap of width x height: the corners
// keep their size, the sides stretch along their length and the centre is
// stretched, or repeated from the top-left with tile set. Margins that do not
// fit the destination are dropped.
Bitmap NineGrid(int width, int height, const Bitmap& src, Margins margins, bool stacked, bool tile,
                int count, int index);

}  // namespace velotune::skin
