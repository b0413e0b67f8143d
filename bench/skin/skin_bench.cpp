// Decoding and building Velotune's own skin, as the program does at start-up.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "skin/skin_data.h"
#include "skin/skin_reader.h"

namespace {

using velotune::skin::Bytes;

const Bytes& ShippedSkin() {
  static const Bytes bytes = [] {
    std::ifstream in(VELOTUNE_SKIN_FILE_PATH, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }();
  return bytes;
}

void BM_UnpackSkin(benchmark::State& state) {
  const Bytes& stored = ShippedSkin();
  size_t unpacked = 0;
  for (auto _ : state) {
    Bytes container;
    velotune::skin::TSkinReader::UnpackStream(stored, container);
    unpacked = container.size();
    benchmark::DoNotOptimize(container.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * unpacked));
  state.counters["unpacked_bytes"] = static_cast<double>(unpacked);
}
BENCHMARK(BM_UnpackSkin)->Unit(benchmark::kMillisecond);

void BM_LoadAndBuildSkin(benchmark::State& state) {
  for (auto _ : state) {
    velotune::skin::TSkinData data;
    data.SetStoredSkin(ShippedSkin());
    if (!data.LoadSkinStream()) state.SkipWithError("skin not recognised");
    benchmark::DoNotOptimize(data.FrameColour());
  }
}
BENCHMARK(BM_LoadAndBuildSkin)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
