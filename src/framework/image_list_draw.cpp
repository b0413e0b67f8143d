// Drawing images of a TImageList, normal and disabled.
#include "framework/graphic_controls.h"
#include "framework/image_list.h"

namespace velotune {

namespace {

// Image `index` of the list; with `colour` >= 0 every opaque pixel becomes
// that colour (a COLORREF).
Pixels ImagePixels(const TImageList& list, int index, long colour) {
  Pixels image;
  image.width = list.Width();
  image.height = list.Height();
  image.argb.reserve(static_cast<std::size_t>(image.width) * image.height);
  std::uint32_t fill = colour < 0 ? 0
                                  : ((colour & 0xFF) << 16) | (colour & 0xFF00) |
                                        ((static_cast<std::uint32_t>(colour) >> 16) & 0xFF);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      std::uint32_t p = list.PixelAt(index, x, y);
      if (p != kTransparentPixel && colour >= 0) p = fill;
      image.argb.push_back(0xFF000000u | p);
    }
  }
  return image;
}

void DrawImage(HDC dc, int x, int y, int size, const TImageList& list, int index, long colour) {
  const int w = size > 0 ? size : list.Width(), h = size > 0 ? size : list.Height();
  RECT target{x, y, x + w, y + h};
  DrawPixels(dc, ImagePixels(list, index, colour), target, kTransparentPixel,
             w != list.Width() || h != list.Height());
}

}  // namespace

void TImageList::Draw(HDC dc, int x, int y, int index, bool enabled, int size) const {
  if (index < 0 || index >= Count()) return;
  if (enabled) {
    DrawImage(dc, x, y, size, *this, index, -1);
    return;
  }
  DrawImage(dc, x + 1, y + 1, size, *this, index,
            static_cast<long>(GetSysColor(COLOR_BTNHIGHLIGHT)));
  DrawImage(dc, x, y, size, *this, index, static_cast<long>(GetSysColor(COLOR_BTNSHADOW)));
}

}  // namespace velotune
