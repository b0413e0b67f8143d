// The decoder over arbitrary streams: the first two bytes choose how many
// bytes to decode, the rest is the stream.
#include <cstddef>
#include <cstdint>

#include "skin/lzh.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int32_t count = data[0] | (data[1] << 8);
  const auto out = velotune::skin::LzhDecodeBytes(data + 2, size - 2, count);
  if (out.size() != static_cast<size_t>(count)) __builtin_trap();
  return 0;
}
