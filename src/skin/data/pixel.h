// A pixel of the skin's bitmaps, and the largest picture the skin accepts:
// what the bitmap and the BMP reader share.
#pragma once

#include <cstdint>

namespace velotune::skin {

// A pixel as stored: 0x00RRGGBB.
using Pixel = uint32_t;

constexpr Pixel MakePixel(int r, int g, int b) {
  return (static_cast<Pixel>(r & 0xFF) << 16) | (static_cast<Pixel>(g & 0xFF) << 8) |
         static_cast<Pixel>(b & 0xFF);
}
constexpr int PixelRed(Pixel p) {
  return (p >> 16) & 0xFF;
}
constexpr int PixelGreen(Pixel p) {
  return (p >> 8) & 0xFF;
}
constexpr int PixelBlue(Pixel p) {
  return p & 0xFF;
}

constexpr Pixel kMagentaPixel = MakePixel(255, 0, 255);

// Largest accepted side and area; anything bigger is treated as damaged data.
constexpr int kMaxImageSide = 16384;
constexpr int64_t kMaxImagePixels = 16 * 1024 * 1024;

}  // namespace velotune::skin
