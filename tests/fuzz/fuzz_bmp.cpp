// The BMP reader over arbitrary files; what it accepts must survive its own
// writer and the image operations the skin build uses. Pictures are capped at
// a quarter of a million pixels so each input is quick.
#include <cstddef>
#include <cstdint>

#include "skin/data/bitmap.h"
#include "skin/data/bitmap_ops.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velotune::skin;
  Bitmap bitmap;
  if (!bitmap.LoadFromBmp(data, size, 1 << 18)) {
    if (!bitmap.Empty()) __builtin_trap();
    return 0;
  }
  Bitmap copy;
  if (!copy.LoadFromBmp(bitmap.SaveToBmp()) || !(copy == bitmap)) __builtin_trap();
  MirrorHorizontal(bitmap);
  const int big = static_cast<int>(size * 2654435761u);  // any margin, near the limits too
  NineGrid(37, 23, bitmap, {3, big, 5, -big}, size % 2 == 0, size % 3 == 0, 1 + size % 5,
           1 + size % 7);
  return 0;
}
