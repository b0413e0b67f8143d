// Reads the Windows BMP formats a skin may carry: core (12-byte) and info
// headers up to the fifth version, 1/4/8-bit palettes, 4- and 8-bit
// run-length encoding, 16-bit (5-5-5 or masks), 24-bit and 32-bit (plain or
// masks), bottom-up or top-down. Every offset is checked against the data's
// size before it is read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/data/pixel.h"

namespace velotune::skin {

struct BmpLayout {
  int32_t width = 0;
  int32_t height = 0;
  bool topDown = false;
  int bits = 0;
  uint32_t compression = 0;
  size_t dataOffset = 0;
  std::vector<Pixel> palette;     // 2^bits entries for palette images
  uint32_t masks[3] = {0, 0, 0};  // red, green, blue for 16 and 32 bits
};

// The header fields, palette and masks; false for damaged or unsupported data.
bool ReadBmpLayout(const uint8_t* data, size_t size, BmpLayout* layout);

// The pixels, top row first; false when the pixel data does not fit the file.
bool DecodeBmpPixels(const uint8_t* data, size_t size, const BmpLayout& layout,
                     std::vector<Pixel>* pixels);

}  // namespace velotune::skin
