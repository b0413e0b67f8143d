// Builds packed skins in memory for tests, and finds the packed skin of the build.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "lzh_encoder.h"
#include "skin/bitmap.h"
#include "skin_container.h"

namespace velotune::skin::testing {

using Bytes = std::vector<uint8_t>;

inline Bytes TextBytes(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

// A stored skin (unpacked size + LZHUF stream) of the given items.
inline Bytes PackItems(const std::vector<skinpack::SkinItem>& items) {
  return skinpack::PackSkinFile(skinpack::BuildContainer(items));
}

// A stored skin of an INI and bitmaps.
inline Bytes PackSkin(const std::string& ini,
                      const std::vector<std::pair<std::string, Bitmap>>& bitmaps) {
  std::vector<skinpack::SkinItem> items;
  for (const auto& [name, bitmap] : bitmaps) items.push_back({name, bitmap.SaveToBmp()});
  items.push_back({"skin.ini", TextBytes(ini)});
  return PackItems(items);
}

inline Bytes ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The skin file the build packed from assets/skin.
inline Bytes ShippedSkinFile() {
  return ReadFileBytes(VELOTUNE_SKIN_FILE_PATH);
}

}  // namespace velotune::skin::testing
