#include "skin/paint/painters.h"

#include <algorithm>

namespace velotune::skin {

void DrawFrameCell(Bitmap& dst, const Rect& rect, const Bitmap& src, bool transparent, int count,
                   int index) {
  if (src.Empty()) return;
  StretchCopy(dst, rect, src, FrameRect(src, count, index, false), transparent);
}

void ThreeSlice(Bitmap& dst, const Rect& rect, const Bitmap& src, bool stacked, bool transparent,
                int count, int index, int leftMargin, int rightMargin) {
  if (src.Empty() || rect.Width() <= 0 || rect.Height() <= 0) return;
  const Rect cell = FrameRect(src, count, index, stacked);
  leftMargin = std::clamp(leftMargin, 0, cell.Width());
  rightMargin = std::clamp(rightMargin, 0, cell.Width() - leftMargin);
  const int middle = cell.Width() - leftMargin - rightMargin;
  const int top = rect.top, bottom = rect.bottom;
  if (leftMargin > 0)
    StretchCopy(dst, {rect.left, top, rect.left + leftMargin, bottom}, src,
                {cell.left, cell.top, cell.left + leftMargin, cell.bottom}, transparent);
  if (middle > 0) {
    const Rect part{cell.left + leftMargin, cell.top, cell.right - rightMargin, cell.bottom};
    // The last repetition may overshoot into the right margin, which is drawn
    // over it; nothing goes past the rectangle.
    for (int x = rect.left + leftMargin; x < rect.right - rightMargin; x += middle) {
      const int width = std::min(middle, rect.right - x);
      StretchCopy(dst, {x, top, x + width, bottom}, src,
                  {part.left, part.top, part.left + width, part.bottom}, transparent);
    }
  }
  if (rightMargin > 0)
    StretchCopy(dst, {rect.right - rightMargin, top, rect.right, bottom}, src,
                {cell.right - rightMargin, cell.top, cell.right, cell.bottom}, transparent);
}

std::vector<Rect> OpaqueRuns(const Bitmap& src, int dx, int dy) {
  std::vector<Rect> runs;
  for (int y = 0; y < src.Height(); ++y) {
    const Pixel* row = src.Row(y);
    int x = 0;
    while (x < src.Width()) {
      while (x < src.Width() && IsTransparentPixel(row[x])) ++x;
      const int start = x;
      while (x < src.Width() && !IsTransparentPixel(row[x])) ++x;
      if (x > start) runs.push_back({start + dx, y + dy, x + dx, y + dy + 1});
    }
  }
  return runs;
}

void ForEachBatch(const std::vector<Rect>& rects, size_t batchSize,
                  const std::function<void(const Rect* first, size_t count)>& take) {
  batchSize = std::max<size_t>(batchSize, 1);
  for (size_t at = 0; at < rects.size(); at += batchSize)
    take(rects.data() + at, std::min(batchSize, rects.size() - at));
}

}  // namespace velotune::skin
