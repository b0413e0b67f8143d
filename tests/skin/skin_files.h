// Builds packed skins in memory for tests, and finds the packed skin of the build.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "lzh_encoder.h"
#include "skin/data/bitmap.h"
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

// A skin of plain edges and nothing else (no push-button or spin images): the
// top edge with magenta corners when asked, and a transparent flag only on it.
inline Bytes EdgeSkin(bool cutCorners) {
  const Pixel grey = MakePixel(90, 90, 90), blue = MakePixel(40, 60, 120);
  Bitmap side(4, 20, 24, grey), top(40, 24, 24, blue), bottom(40, 4, 24, grey);
  if (cutCorners)
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x) {
        top.Set(x, y, kMagentaPixel);
        top.Set(39 - x, y, kMagentaPixel);
      }
  const std::string ini =
      "[Personality]\nLeft=L.bmp\nRight=R.bmp\nTop=T.bmp\nBottom=B.bmp\n"
      "LeftFrame=1\nLeftTrans=0\nRightFrame=1\nRightTrans=0\nBottomFrame=1\nBottomTrans=0\n"
      "TopFrame=1\nTopTopHeight=6\nTopBotHeight=6\nTopTrans=" +
      std::string(cutCorners ? "1" : "0") + "\n[Colours]\nButtonFace=200 200 200\n";
  return PackSkin(ini, {{"L.bmp", side}, {"R.bmp", side}, {"T.bmp", top}, {"B.bmp", bottom}});
}

// The skin file the build packed from assets/skin.
inline Bytes ShippedSkinFile() {
  return ReadFileBytes(VELOTUNE_SKIN_FILE_PATH);
}

}  // namespace velotune::skin::testing
