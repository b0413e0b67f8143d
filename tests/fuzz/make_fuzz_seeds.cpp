// Writes the seed corpora of the fuzz targets from Velotune's skin:
//   make_fuzz_seeds ASSETS_SKIN_DIR CORPUS_DIR [WHOLE_SKIN_FILE]
// With a third argument it also writes there the whole skin's unpacked
// container (too large to commit; the fuzz runs seed with it).
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "lzh_encoder.h"
#include "skin_container.h"

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace {

Bytes ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const fs::path& path, const Bytes& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

Bytes Text(const std::string& s) {
  return Bytes(s.begin(), s.end());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: make_fuzz_seeds ASSETS_SKIN_DIR CORPUS_DIR [WHOLE_SKIN_FILE]\n");
    return 2;
  }
  const fs::path skin = argv[1];
  const fs::path corpus = argv[2];
  if (argc == 4) {
    std::vector<velotune::skinpack::SkinItem> all;
    for (const auto& entry : fs::directory_iterator(skin))
      all.push_back({entry.path().filename().string(), ReadAll(entry.path())});
    std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    WriteAll(argv[3], velotune::skinpack::BuildContainer(all));
    return 0;
  }
  const Bytes ini = ReadAll(skin / "Velotune.ini");
  const std::vector<std::string> bitmaps = {"SpinArrow.bmp", "MenuBackground.bmp", "Progress.bmp",
                                            "FrameLeft.bmp"};

  // Decoder: a two-byte output count (below 8 KiB), then the stream.
  Bytes frames = ReadAll(skin / "FrameTop.bmp");
  frames.resize(std::min<size_t>(frames.size(), 8000));
  const std::vector<std::pair<std::string, Bytes>> samples = {
      {"words", Text("hello hello hello, skin skin skin")},
      {"spaces", Bytes(300, ' ')},
      {"ini", ini},
      {"bitmap", ReadAll(skin / bitmaps[0])},
      {"frame", frames},
  };
  for (const auto& [name, data] : samples) {
    Bytes seed = {static_cast<uint8_t>(data.size()), static_cast<uint8_t>(data.size() >> 8)};
    const Bytes stream = velotune::skinpack::LzhEncode(data);
    seed.insert(seed.end(), stream.begin(), stream.end());
    WriteAll(corpus / "lzh" / name, seed);
  }

  // Container: small skins with the real INI.
  std::vector<velotune::skinpack::SkinItem> items = {{"Velotune.ini", ini}};
  WriteAll(corpus / "container" / "ini_only", velotune::skinpack::BuildContainer(items));
  for (const std::string& name : bitmaps) items.push_back({name, ReadAll(skin / name)});
  WriteAll(corpus / "container" / "small_skin", velotune::skinpack::BuildContainer(items));
  // Edge cases: repeated caption-button sections naming one bitmap, margins
  // at the integer limits, a bit-field picture with a short header, empty names.
  const Bytes edgeIni = Text(
      "[Button0]\nButtonImage=b.bmp\n[Button0]\n[Button1]\nButtonImage=B.BMP\nAction=-1\n"
      "[MenuItem]\nImage=b.bmp\nLeftWidth=2147483647\nRightWidth=2147483647\n"
      "[SunkEdge]\nImage=b.bmp\n[ComboButton]\nImage=b.bmp\n");
  const Bytes bitfields = ReadAll(corpus / "bmp" / "bitfields_44");
  WriteAll(corpus / "container" / "edges",
           velotune::skinpack::BuildContainer(
               {{"skin.ini", edgeIni}, {"b.bmp", bitfields}, {"", {}}, {"", {}}}));

  // INI texts.
  WriteAll(corpus / "ini" / "velotune", ini);
  WriteAll(corpus / "ini" / "edges",
           Text("; c\r\n [ A ] \r\nk = v\r\n[A]\nk=0x1F\n[Colour1]\ncolor=1,2,3\n=x\n[\n]\n"));

  // Bitmaps: the skin's own are read from assets/skin by the fuzz runs; the
  // hand-made ones in corpus/bmp are committed as they are.
  std::printf("seeds written to %s\n", corpus.string().c_str());
  return 0;
}
