// The container reader over arbitrary unpacked containers, then the whole
// skin build over the same bytes. The decoder has a target of its own; here
// the pictures may decode to at most 64 Ki pixels more than the skin's size,
// so each input is quick.
#include <cstddef>
#include <cstdint>

#include "skin/data/skin_data.h"
#include "skin/data/skin_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velotune::skin;
  if (size > 1 << 20) return 0;
  TSkinReader reader;
  if (reader.ReadContainer(Bytes(data, data + size))) {
    Bytes item;
    for (const std::string& name : reader.Names()) reader.GetItem(name, item);
    reader.FindItem(".ini", item);
  }
  TSkinData skin;
  skin.PixelBudgetBase = 1 << 16;
  skin.LoadUnpackedSkin(Bytes(data, data + size));
  return 0;
}
