#include "skin/paint/win32_paint.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "skin/paint/painters.h"

namespace velotune::skin {

OffscreenBuffer::OffscreenBuffer(HDC target, int width, int height)
    : width_(std::max(width, 1)), height_(std::max(height, 1)) {
  dc_ = CreateCompatibleDC(target);
  // A DIB section: a bitmap compatible with the target would ask the
  // display for its depth when made and when selected.
  BITMAPINFO info = DibInfo32(width_, height_);
  void* bits = nullptr;
  bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (dc_ && bitmap_) old_ = SelectObject(dc_, bitmap_.Get());
}

OffscreenBuffer::~OffscreenBuffer() {
  if (dc_ && old_) SelectObject(dc_, old_);
  if (dc_) DeleteDC(dc_);
}

void OffscreenBuffer::CopyTo(HDC target, int x, int y) const {
  BitBlt(target, x, y, width_, height_, dc_, 0, 0, SRCCOPY);
}

void OffscreenBuffer::CopyFrom(HDC target, int x, int y) {
  BitBlt(dc_, 0, 0, width_, height_, target, x, y, SRCCOPY);
}

OwnedBitmap MakeDib(const Bitmap& bitmap) {
  if (bitmap.Empty()) return OwnedBitmap();
  BITMAPINFO info = DibInfo32(bitmap.Width(), bitmap.Height());
  void* bits = nullptr;
  OwnedBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib || !bits) return OwnedBitmap();
  auto* out = static_cast<Pixel*>(bits);
  const std::vector<Pixel>& pixels = bitmap.Pixels();
  for (size_t i = 0; i < pixels.size(); ++i)
    out[i] = IsTransparentPixel(pixels[i]) ? kMagentaPixel : pixels[i];
  GdiFlush();
  return dib;
}

namespace {

// Copies src rectangle (sx, sy, sw, sh) of the bitmap stretched onto dst.
void StretchDib(HDC dc, const RECT& dst, const Bitmap& bitmap, const Rect& src, bool transparent) {
  const int dw = dst.right - dst.left, dh = dst.bottom - dst.top;
  if (dw <= 0 || dh <= 0 || src.Width() <= 0 || src.Height() <= 0) return;
  OwnedBitmap dib = MakeDib(bitmap);
  if (!dib) return;
  HDC memory = CreateCompatibleDC(dc);
  if (!memory) return;
  {
    SelectedObject selected(memory, dib.Get());
    if (transparent) {
      // TransparentBlt stretches nearest-pixel itself; it refuses mirrored
      // or empty rectangles, which never occur here.
      TransparentBlt(dc, dst.left, dst.top, dw, dh, memory, src.left, src.top, src.Width(),
                     src.Height(), RGB(255, 0, 255));
    } else {
      const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
      StretchBlt(dc, dst.left, dst.top, dw, dh, memory, src.left, src.top, src.Width(),
                 src.Height(), SRCCOPY);
      SetStretchBltMode(dc, oldMode);
    }
  }
  DeleteDC(memory);
}

}  // namespace

void BlitBitmap(HDC dc, int x, int y, const Bitmap& bitmap, bool transparent) {
  StretchDib(dc, RECT{x, y, x + bitmap.Width(), y + bitmap.Height()}, bitmap,
             {0, 0, bitmap.Width(), bitmap.Height()}, transparent);
}

void DrawFrameCell(HDC dc, const RECT& rect, const Bitmap& src, bool transparent, int count,
                   int index) {
  if (src.Empty()) return;
  StretchDib(dc, rect, src, FrameRect(src, count, index, false), transparent);
}

void ThreeSlice(HDC dc, const RECT& rect, const Bitmap& src, bool stacked, bool transparent,
                int count, int index, int leftMargin, int rightMargin) {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (src.Empty() || w <= 0 || h <= 0) return;
  // Composed over magenta and copied with magenta as the key, so that the
  // strip's own transparent pixels show what the DC had.
  Bitmap strip(w, h, 24, transparent ? kMagentaPixel : 0);
  skin::ThreeSlice(strip, {0, 0, w, h}, src, stacked, transparent, count, index, leftMargin,
                   rightMargin);
  BlitBitmap(dc, rect.left, rect.top, strip, transparent);
}

void DrawNineGrid(HDC dc, const RECT& rect, const Bitmap& src, const Margins& margins, bool tile,
                  bool transparent, int count, int index) {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (src.Empty() || w <= 0 || h <= 0) return;
  BlitBitmap(dc, rect.left, rect.top, NineGrid(w, h, src, margins, false, tile, count, index),
             transparent);
}

Bitmap ReadPixels(HDC dc, int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return Bitmap();
  BITMAPINFO info = DibInfo32(width, height);
  void* bits = nullptr;
  OwnedBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  HDC memory = CreateCompatibleDC(dc);
  if (!dib || !bits || !memory) {
    if (memory) DeleteDC(memory);
    return Bitmap();
  }
  {
    SelectedObject selected(memory, dib.Get());
    BitBlt(memory, 0, 0, width, height, dc, x, y, SRCCOPY);
  }
  DeleteDC(memory);
  GdiFlush();
  Bitmap out(width, height, 24);
  const auto* in = static_cast<const Pixel*>(bits);
  for (int row = 0; row < height; ++row)
    for (int col = 0; col < width; ++col)
      out.Set(col, row, in[static_cast<size_t>(row) * width + col] & 0xFFFFFF);
  return out;
}

HRGN RegionFromBitmap(const Bitmap& bitmap, int x, int y) {
  const std::vector<Rect> runs = OpaqueRuns(bitmap, x, y);
  HRGN result = nullptr;
  ForEachBatch(runs, kRegionBatchSize, [&](const Rect* first, size_t count) {
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(count);
    header->nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
    RECT bounds{first->left, first->top, first->right, first->bottom};
    auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
    for (size_t i = 0; i < count; ++i) {
      const Rect& r = first[i];
      rects[i] = RECT{r.left, r.top, r.right, r.bottom};
      bounds.left = std::min<LONG>(bounds.left, r.left);
      bounds.top = std::min<LONG>(bounds.top, r.top);
      bounds.right = std::max<LONG>(bounds.right, r.right);
      bounds.bottom = std::max<LONG>(bounds.bottom, r.bottom);
    }
    header->rcBound = bounds;
    HRGN part = ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                reinterpret_cast<RGNDATA*>(data.data()));
    if (!part) return;
    if (!result) {
      result = part;
    } else {
      CombineRgn(result, result, part, RGN_OR);
      DeleteObject(part);
    }
  });
  return result;
}

}  // namespace velotune::skin
