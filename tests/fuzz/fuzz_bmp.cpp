// The BMP reader over arbitrary files; what it accepts must survive its own
// writer and the image operations the skin build uses.
#include <cstddef>
#include <cstdint>

#include "skin/bitmap.h"
#include "skin/bitmap_ops.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velotune::skin;
  Bitmap bitmap;
  if (!bitmap.LoadFromBmp(data, size)) {
    if (!bitmap.Empty()) __builtin_trap();
    return 0;
  }
  if (bitmap.Width() * bitmap.Height() > 1 << 20) return 0;
  Bitmap copy;
  if (!copy.LoadFromBmp(bitmap.SaveToBmp()) || !(copy == bitmap)) __builtin_trap();
  MirrorHorizontal(bitmap);
  NineGrid(37, 23, bitmap, {3, 4, 5, 6}, size % 2 == 0, size % 3 == 0, 1 + size % 5, 1 + size % 7);
  return 0;
}
