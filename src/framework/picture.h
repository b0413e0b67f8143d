// Pictures stored in form descriptions (Picture.Data, Glyph.Data), decoded to
// a plain pixel buffer. A picture that cannot be decoded comes back empty;
// decoding never raises.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velotune {

struct Pixels {
  int width = 0;
  int height = 0;
  // Top row first, one 0xAARRGGBB value per pixel (alpha always 0xFF).
  std::vector<std::uint32_t> argb;

  bool Empty() const { return width <= 0 || height <= 0; }
  std::uint32_t At(int x, int y) const { return argb[static_cast<std::size_t>(y) * width + x]; }
};

Pixels DecodeJpeg(const std::uint8_t* data, std::size_t size);
// A BMP file (BITMAPFILEHEADER first); 1, 4, 8, 24 and 32 bits, uncompressed.
Pixels DecodeBmp(const std::uint8_t* data, std::size_t size);
// Class-name length byte, "TJPEGImage" or "TBitmap", 4-byte length, the bytes.
Pixels DecodePictureData(const std::vector<std::uint8_t>& data);

}  // namespace velotune
