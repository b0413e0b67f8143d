// Reading the main window's description and decoding its pictures: the work
// the program does before its window can appear.
#include <benchmark/benchmark.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "framework/dfm_parser.h"
#include "framework/picture.h"

namespace velotune {
namespace {

std::string ReadForm(const char* name) {
  std::ifstream in(std::string(VELOTUNE_FORMS_DIR) + "/" + name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void ParseMainDescription(benchmark::State& state) {
  std::string text = ReadForm("main.dfm");
  for (auto _ : state) {
    DfmObject root = ParseFormDescription(text, "main.dfm");
    benchmark::DoNotOptimize(root);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.size());
}
BENCHMARK(ParseMainDescription)->Unit(benchmark::kMillisecond);

void DecodeMainPictures(benchmark::State& state) {
  DfmObject root = ParseFormDescription(ReadForm("main.dfm"), "main.dfm");
  std::vector<const std::vector<std::uint8_t>*> pictures;
  std::function<void(const DfmObject&)> collect = [&](const DfmObject& object) {
    for (const DfmProperty& p : object.properties)
      if (p.name == "Picture.Data" || p.name == "Glyph.Data") pictures.push_back(&p.value.bytes);
    for (const DfmObject& child : object.children) collect(child);
  };
  collect(root);
  for (auto _ : state) {
    for (const auto* data : pictures) benchmark::DoNotOptimize(DecodePictureData(*data));
  }
  state.counters["pictures"] = static_cast<double>(pictures.size());
}
BENCHMARK(DecodeMainPictures)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velotune

BENCHMARK_MAIN();
