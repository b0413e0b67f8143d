#include "skin/data/bitmap_ops.h"

#include <algorithm>

namespace velotune::skin {

namespace {

Rect Clip(const Rect& r, int width, int height) {
  return {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width),
          std::min(r.bottom, height)};
}

}  // namespace

Bitmap Crop(const Bitmap& src, const Rect& rect) {
  const Rect r = Clip(rect, src.Width(), src.Height());
  if (r.Width() <= 0 || r.Height() <= 0) return Bitmap();
  Bitmap out(r.Width(), r.Height(), 24);
  for (int y = 0; y < r.Height(); ++y)
    std::copy(src.Row(r.top + y) + r.left, src.Row(r.top + y) + r.right, out.Row(y));
  return out;
}

Bitmap MirrorHorizontal(const Bitmap& src) {
  Bitmap out(src.Width(), src.Height(), 24);
  for (int y = 0; y < src.Height(); ++y)
    std::reverse_copy(src.Row(y), src.Row(y) + src.Width(), out.Row(y));
  return out;
}

Bitmap FlipVertical(const Bitmap& src) {
  Bitmap out(src.Width(), src.Height(), 24);
  for (int y = 0; y < src.Height(); ++y)
    std::copy(src.Row(y), src.Row(y) + src.Width(), out.Row(src.Height() - 1 - y));
  return out;
}

Bitmap TurnQuarter(const Bitmap& src, bool clockwise) {
  const int w = src.Width(), h = src.Height();
  Bitmap out(h, w, 24);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (clockwise)
        out.Set(h - 1 - y, x, src.At(x, y));
      else
        out.Set(y, w - 1 - x, src.At(x, y));
    }
  return out;
}

void FillRect(Bitmap& dst, const Rect& rect, Pixel colour) {
  const Rect r = Clip(rect, dst.Width(), dst.Height());
  for (int y = r.top; y < r.bottom; ++y)
    std::fill(dst.Row(y) + r.left, dst.Row(y) + r.right, colour);
}

void StretchCopy(Bitmap& dst, const Rect& dstRect, const Bitmap& src, const Rect& srcRect,
                 bool transparent) {
  const Rect s = Clip(srcRect, src.Width(), src.Height());
  if (s.Width() <= 0 || s.Height() <= 0 || dstRect.Width() <= 0 || dstRect.Height() <= 0) return;
  const Rect d = Clip(dstRect, dst.Width(), dst.Height());
  for (int y = d.top; y < d.bottom; ++y) {
    const int64_t sy =
        s.top + static_cast<int64_t>(y - dstRect.top) * s.Height() / dstRect.Height();
    const Pixel* srcRow = src.Row(static_cast<int>(sy));
    Pixel* dstRow = dst.Row(y);
    for (int x = d.left; x < d.right; ++x) {
      const int64_t sx =
          s.left + static_cast<int64_t>(x - dstRect.left) * s.Width() / dstRect.Width();
      const Pixel p = srcRow[sx];
      if (!transparent || !IsTransparentPixel(p)) dstRow[x] = p;
    }
  }
}

Rect FrameRect(const Bitmap& src, int count, int index, bool stacked) {
  count = std::max(count, 1);
  index = std::clamp(index, 1, count);
  if (stacked) {
    const int h = src.Height() / count;
    return {0, h * (index - 1), src.Width(), h * index};
  }
  const int w = src.Width() / count;
  return {w * (index - 1), 0, w * index, src.Height()};
}

Bitmap NineGrid(int width, int height, const Bitmap& src, Margins m, bool stacked, bool tile,
                int count, int index) {
  Bitmap out(width, height, 24);
  if (out.Empty() || src.Empty()) return out;
  const Rect cell = FrameRect(src, count, index, stacked);
  if (cell.Width() <= 0 || cell.Height() <= 0) return out;
  // A margin cannot be negative; sums are taken wide so no margin overflows.
  m = {std::max(m.left, 0), std::max(m.top, 0), std::max(m.right, 0), std::max(m.bottom, 0)};
  const int64_t across = int64_t{m.left} + m.right, down = int64_t{m.top} + m.bottom;
  if (width < across || cell.Width() < across) m.left = m.right = 0;
  if (height < down || cell.Height() < down) m.top = m.bottom = 0;
  // Columns and rows of the source cell and of the destination: fixed, middle, fixed.
  const int sx[4] = {cell.left, cell.left + m.left, cell.right - m.right, cell.right};
  const int sy[4] = {cell.top, cell.top + m.top, cell.bottom - m.bottom, cell.bottom};
  const int dx[4] = {0, m.left, width - m.right, width};
  const int dy[4] = {0, m.top, height - m.bottom, height};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      const Rect s{sx[col], sy[row], sx[col + 1], sy[row + 1]};
      const Rect d{dx[col], dy[row], dx[col + 1], dy[row + 1]};
      if (s.Width() <= 0 || s.Height() <= 0 || d.Width() <= 0 || d.Height() <= 0) continue;
      if (row == 1 && col == 1 && tile) {
        for (int y = d.top; y < d.bottom; y += s.Height())
          for (int x = d.left; x < d.right; x += s.Width())
            StretchCopy(
                out, {x, y, std::min(x + s.Width(), d.right), std::min(y + s.Height(), d.bottom)},
                src,
                {s.left, s.top, s.left + std::min(s.Width(), d.right - x),
                 s.top + std::min(s.Height(), d.bottom - y)},
                false);
      } else {
        StretchCopy(out, d, src, s, false);
      }
    }
  }
  return out;
}

}  // namespace velotune::skin
