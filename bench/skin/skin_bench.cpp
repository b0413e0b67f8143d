// The skin's start-up work: decoding the stored skin (against the baseline
// decoder of lzh_baseline.h, on our skin and on a 4 MB mixed input), and
// decoding plus building every skin object, as the program does at start-up.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "lzh_baseline.h"
#include "lzh_encoder.h"
#include "skin/lzh.h"
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

// A packed stream and the size it unpacks to.
struct Packed {
  Bytes stream;
  size_t size = 0;
};

const Packed& SkinStream() {
  static const Packed packed = [] {
    const Bytes& file = ShippedSkin();
    Packed p;
    p.stream.assign(file.begin() + 4, file.end());
    Bytes container;
    velotune::skin::TSkinReader::UnpackStream(file, container);
    p.size = container.size();
    return p;
  }();
  return packed;
}

// 4 MB of what a skin or a program carries: the skin's own bitmaps and INI,
// generated text, bytes from a small alphabet, runs, and random bytes.
const Packed& MixedStream() {
  static const Packed packed = [] {
    Bytes data;
    Bytes container;
    velotune::skin::TSkinReader::UnpackStream(ShippedSkin(), container);
    std::mt19937 rng(2024);
    const char* words[] = {"skin ", "frame ",      "button ",       "caption ",
                           "=",     "\r\n",        "[Personality]", "LeftWidth",
                           "0x1F ", "255 255 255", "Image=",        ".bmp "};
    while (data.size() < 4u << 20) {
      data.insert(data.end(), container.begin(), container.end());
      for (int i = 0; i < 20000; ++i) {
        const std::string w = words[rng() % std::size(words)];
        data.insert(data.end(), w.begin(), w.end());
      }
      for (int i = 0; i < 100000; ++i) data.push_back(static_cast<uint8_t>('a' + rng() % 6));
      data.insert(data.end(), 30000, 0);
      for (int i = 0; i < 60000; ++i) data.push_back(static_cast<uint8_t>(rng()));
    }
    data.resize(4u << 20);
    return Packed{velotune::skinpack::LzhEncode(data), data.size()};
  }();
  return packed;
}

void Baseline(benchmark::State& state, const Packed& (*input)()) {
  const Packed& p = input();
  for (auto _ : state) {
    Bytes out = velotune::bench::BaselineLzhDecode(p.stream.data(), p.stream.size(), p.size);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * p.size));
}

void Decoder(benchmark::State& state, const Packed& (*input)()) {
  const Packed& p = input();
  for (auto _ : state) {
    Bytes out(p.size);
    velotune::skin::LzhDecode(p.stream.data(), p.stream.size(), out.data(), out.size());
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * p.size));
}

BENCHMARK_CAPTURE(Baseline, skin, SkinStream)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decoder, skin, SkinStream)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Baseline, mixed, MixedStream)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decoder, mixed, MixedStream)->Unit(benchmark::kMillisecond);

void LoadAndBuildSkin(benchmark::State& state) {
  for (auto _ : state) {
    velotune::skin::TSkinData data;
    data.SetStoredSkin(ShippedSkin());
    if (!data.LoadSkinStream()) state.SkipWithError("skin not recognised");
    benchmark::DoNotOptimize(data.FrameColour());
  }
}
BENCHMARK(LoadAndBuildSkin)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
