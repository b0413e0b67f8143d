// Resampling pictures to another size by area: each new pixel is the average
// of the part of the picture it covers. Pixels a test calls see-through (a
// key colour) take no part in the colour; a new pixel that covers less than
// half opaque area is see-through itself. Smooth where a picture has
// gradients and curves, and no key colour bleeds into its edges.
#pragma once

#include <cstdint>
#include <functional>

namespace velotune {

struct PixelBlock {
  const std::uint32_t* pixels;  // 0x00RRGGBB (the top byte is ignored)
  int width;
  int height;
  int stride;  // pixels from one row to the next
};

// Writes `to` (width x height pixels at out, rows `outStride` apart).
// `seeThrough` null: every pixel is opaque. A new see-through pixel is
// `keyOut`; an averaged colour that would pass seeThrough becomes
// `keyStandIn`.
void ResampleArea(const PixelBlock& from, std::uint32_t* out, int width, int height, int outStride,
                  const std::function<bool(std::uint32_t)>& seeThrough, std::uint32_t keyOut,
                  std::uint32_t keyStandIn);

}  // namespace velotune
