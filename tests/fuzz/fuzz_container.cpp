// The container reader over arbitrary unpacked containers, then the whole
// skin build over the same bytes packed as a stored skin.
#include <cstddef>
#include <cstdint>

#include "lzh_encoder.h"
#include "skin/skin_data.h"
#include "skin/skin_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velotune::skin;
  const Bytes container(data, data + size);
  TSkinReader reader;
  if (reader.ReadContainer(container)) {
    Bytes item;
    for (const std::string& name : reader.Names()) reader.GetItem(name, item);
    reader.FindItem(".ini", item);
  }
  TSkinData skin;
  skin.SetStoredSkin(velotune::skinpack::PackSkinFile(container));
  skin.LoadSkinStream();
  return 0;
}
