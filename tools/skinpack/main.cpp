// skinpack: packs a folder of skin bitmaps and its INI into a skin file.
//
//   skinpack SKIN_DIR OUT.skin [OUT.stream]
//
// OUT.skin is the skin file (unpacked size + LZHUF stream); OUT.stream is the
// same bytes preceded by their signed 32-bit count, as the form stores them.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "lzh_encoder.h"
#include "skin_container.h"

namespace fs = std::filesystem;
using velotune::skinpack::SkinItem;

namespace {

bool ReadAll(const fs::path& path, std::vector<uint8_t>* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool WriteAll(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: skinpack SKIN_DIR OUT.skin [OUT.stream]\n");
    return 2;
  }
  // Bitmaps in name order, then the INI, so the packed bytes are reproducible.
  std::vector<fs::path> bitmaps, inis;
  for (const auto& entry : fs::directory_iterator(argv[1])) {
    const std::string ext = Lower(entry.path().extension().string());
    if (ext == ".bmp") bitmaps.push_back(entry.path());
    if (ext == ".ini") inis.push_back(entry.path());
  }
  if (inis.size() != 1 || bitmaps.empty()) {
    std::fprintf(stderr, "skinpack: %s needs bitmaps and exactly one .ini\n", argv[1]);
    return 1;
  }
  std::sort(bitmaps.begin(), bitmaps.end());
  bitmaps.push_back(inis.front());
  std::vector<SkinItem> items;
  for (const fs::path& path : bitmaps) {
    SkinItem item{path.filename().string(), {}};
    if (!ReadAll(path, &item.bytes)) {
      std::fprintf(stderr, "skinpack: cannot read %s\n", path.string().c_str());
      return 1;
    }
    items.push_back(std::move(item));
  }
  const std::vector<uint8_t> container = velotune::skinpack::BuildContainer(items);
  const std::vector<uint8_t> file = velotune::skinpack::PackSkinFile(container);
  if (!WriteAll(argv[2], file)) {
    std::fprintf(stderr, "skinpack: cannot write %s\n", argv[2]);
    return 1;
  }
  if (argc == 4) {
    std::vector<uint8_t> stream(4 + file.size());
    const int32_t n = static_cast<int32_t>(file.size());
    std::memcpy(stream.data(), &n, 4);
    std::copy(file.begin(), file.end(), stream.begin() + 4);
    if (!WriteAll(argv[3], stream)) {
      std::fprintf(stderr, "skinpack: cannot write %s\n", argv[3]);
      return 1;
    }
  }
  std::printf("skinpack: %zu items, %zu bytes unpacked, %zu packed\n", items.size(),
              container.size(), file.size());
  return 0;
}
