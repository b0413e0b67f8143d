// The painters on device contexts: portable bitmaps are turned into DIBs and
// copied, magenta kept out through a transparent blit; regions are built from
// the opaque runs in batches.
#pragma once

#include <windows.h>

#include "framework/dib.h"
#include "skin/data/bitmap.h"
#include "skin/data/bitmap_ops.h"
#include "skin/paint/gdi_objects.h"

namespace velotune::skin {

// A 32-bit top-down DIB section holding the bitmap's pixels; near-magenta
// (green 0 or 1) is written as exact magenta so that one key colour covers it.
OwnedBitmap MakeDib(const Bitmap& bitmap);

// Copies the bitmap to (x, y) of dc; with transparent set, magenta is left out.
void BlitBitmap(HDC dc, int x, int y, const Bitmap& bitmap, bool transparent);

// Frame `index` of `count` side-by-side frames stretched onto rect of dc
// (nearest pixel, as the colour-on-colour stretch mode does).
void DrawFrameCell(HDC dc, const RECT& rect, const Bitmap& src, bool transparent, int count,
                   int index);

void ThreeSlice(HDC dc, const RECT& rect, const Bitmap& src, bool stacked, bool transparent,
                int count, int index, int leftMargin, int rightMargin);

// Frame `index` of `count` side-by-side frames rendered onto rect of dc with
// fixed margins (see NineGrid); with transparent set, magenta is left out.
void DrawNineGrid(HDC dc, const RECT& rect, const Bitmap& src, const Margins& margins, bool tile,
                  bool transparent, int count, int index);

// What dc shows in the rectangle (x, y, width, height), as a portable bitmap.
Bitmap ReadPixels(HDC dc, int x, int y, int width, int height);

// The region of every opaque pixel of the bitmap, moved by (x, y); the
// caller owns it. Null when the bitmap has no opaque pixel.
HRGN RegionFromBitmap(const Bitmap& bitmap, int x, int y);

}  // namespace velotune::skin
