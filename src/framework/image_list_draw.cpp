// Drawing images of a TImageList, normal and disabled.
#include <algorithm>
#include <vector>

#include "framework/image_list.h"

namespace velotune {

namespace {

// One image as a 32-bit top-down bitmap copied with magenta transparent,
// each opaque pixel through `colour` (or its own colour when `colour` < 0).
void BlitImage(HDC dc, int x, int y, const TImageList& list, int index, long colour) {
  int w = list.Width(), h = list.Height();
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return;
  auto* out = static_cast<std::uint32_t*>(bits);
  // COLORREF is 0x00BBGGRR; the bitmap wants 0x00RRGGBB.
  std::uint32_t fill = colour < 0 ? 0
                                  : ((colour & 0xFF) << 16) | (colour & 0xFF00) |
                                        ((static_cast<std::uint32_t>(colour) >> 16) & 0xFF);
  for (int row = 0; row < h; ++row) {
    for (int col = 0; col < w; ++col) {
      std::uint32_t p = list.PixelAt(index, col, row);
      if (p != kTransparentPixel && colour >= 0) p = fill;
      out[row * w + col] = p;
    }
  }
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  TransparentBlt(dc, x, y, w, h, memory, 0, 0, w, h, RGB(255, 0, 255));
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

}  // namespace

void TImageList::Draw(HDC dc, int x, int y, int index, bool enabled) const {
  if (index < 0 || index >= Count()) return;
  if (enabled) {
    BlitImage(dc, x, y, *this, index, -1);
    return;
  }
  BlitImage(dc, x + 1, y + 1, *this, index, static_cast<long>(GetSysColor(COLOR_BTNHIGHLIGHT)));
  BlitImage(dc, x, y, *this, index, static_cast<long>(GetSysColor(COLOR_BTNSHADOW)));
}

}  // namespace velotune
