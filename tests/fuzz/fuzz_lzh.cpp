// The decoder over arbitrary streams: the first two bytes choose how many
// bytes to decode (below 8 KiB, so each input is quick), the rest is the
// stream. The output must equal the baseline decoder's.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "lzh_baseline.h"
#include "skin/data/lzh.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const size_t count = (data[0] | (data[1] << 8)) & 0x1FFF;
  std::vector<uint8_t> out(count);
  velotune::skin::LzhDecode(data + 2, size - 2, out.data(), count);
  if (out != velotune::bench::BaselineLzhDecode(data + 2, size - 2, count)) __builtin_trap();
  return 0;
}
