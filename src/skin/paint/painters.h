// The engine's painters over portable bitmaps: a frame cell stretched onto a
// rectangle, a three-slice strip (fixed ends, repeated middle) and the opaque
// runs a window region is built from. NineGrid lives with the other bitmap
// operations; the device-context versions are in win32_paint.h.
#pragma once

#include <functional>
#include <vector>

#include "skin/data/bitmap.h"
#include "skin/data/bitmap_ops.h"

namespace velotune::skin {

// Frame `index` (1-based) of `count` frames lying side by side, stretched onto
// rect of dst; with transparent set, magenta pixels leave dst as it was.
void DrawFrameCell(Bitmap& dst, const Rect& rect, const Bitmap& src, bool transparent, int count,
                   int index);

// Within the chosen frame: the left margin at the rectangle's left end, the
// middle part repeated from there while it starts left of right - rightMargin,
// then the right margin at the right end, over any overshoot. Every part is
// stretched to the rectangle's height.
void ThreeSlice(Bitmap& dst, const Rect& rect, const Bitmap& src, bool stacked, bool transparent,
                int count, int index, int leftMargin, int rightMargin);

// One rectangle per run of opaque (not magenta) pixels, row by row, moved by
// (dx, dy).
std::vector<Rect> OpaqueRuns(const Bitmap& src, int dx, int dy);

// Hands rects over in consecutive batches of at most `batchSize`.
constexpr size_t kRegionBatchSize = 2000;
void ForEachBatch(const std::vector<Rect>& rects, size_t batchSize,
                  const std::function<void(const Rect* first, size_t count)>& take);

}  // namespace velotune::skin
