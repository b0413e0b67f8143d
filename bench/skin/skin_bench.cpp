// The skin's start-up work: decoding the stored skin (against the baseline
// decoder of lzh_baseline.h, on our skin and on a 4 MB mixed input), and
// decoding plus building every skin object, as the program does at start-up.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "lzh_baseline.h"
#include "lzh_encoder.h"
#include "skin/data/lzh.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_reader.h"

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

// Skins made to cost as much as they can: the time to load (or refuse) each,
// per kilobyte of the stored skin.
Bytes Stored(const Bytes& container) {
  const Bytes stream = velotune::skinpack::LzhEncode(container);
  Bytes stored(4);
  const uint32_t n = static_cast<uint32_t>(container.size());
  for (int i = 0; i < 4; ++i) stored[i] = static_cast<uint8_t>(n >> (8 * i));
  stored.insert(stored.end(), stream.begin(), stream.end());
  return stored;
}

Bytes Container(const std::string& ini, const std::vector<std::pair<std::string, Bytes>>& items,
                const std::string& extraNames = "") {
  std::string names = "skin.ini\r\n" + extraNames;
  for (const auto& item : items) names += item.first + "\r\n";
  Bytes out;
  auto put = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  put(70000);
  put(static_cast<uint32_t>(names.size()));
  put(0);
  put(0);
  out.insert(out.end(), 69, 0);
  out.insert(out.end(), names.begin(), names.end());
  put(static_cast<uint32_t>(ini.size()));
  for (const auto& item : items) put(static_cast<uint32_t>(item.second.size()));
  out.insert(out.end(), ini.begin(), ini.end());
  for (const auto& item : items) out.insert(out.end(), item.second.begin(), item.second.end());
  return out;
}

// A 4096x4096 1-bit picture: 2 MiB of file, 16 Mi pixels.
Bytes HugePicture() {
  const int side = 4096;
  Bytes b(62 + side / 8 * side, 0);
  const uint32_t header[] = {0, 0, 62, 40, side, side, 1 | (1 << 16), 0, 0, 0, 0, 2, 0};
  b[0] = 'B';
  b[1] = 'M';
  std::memcpy(b.data() + 2, header, sizeof header);
  return b;
}

const Bytes& CraftedSkin(int kind) {
  static std::map<int, Bytes> skins;
  auto found = skins.find(kind);
  if (found != skins.end()) return found->second;
  std::string ini;
  Bytes container;
  switch (kind) {
    case 0:  // 20 000 caption-button sections naming one huge picture
      for (int i = 0; i < 20000; ++i)
        ini += "[Button" + std::to_string(i) + "]\nButtonImage=huge.bmp\nLeftWidth=2147483647\n";
      container = Container(ini, {{"huge.bmp", HugePicture()}});
      break;
    case 1:  // 100 000 sections of one name and one long section read by every part
      for (int i = 0; i < 100000; ++i) ini += "[Personality]\n";
      ini = "[Personality]\n" + std::string(200000, 'k') + "=v\n" + ini;
      container = Container(ini, {});
      break;
    default:  // a million empty names and no size table for them
      container = Container("", {}, std::string(2000000, '\n'));
      container.resize(container.size() - 4);
  }
  return skins.emplace(kind, Stored(container)).first->second;
}

void LoadCraftedSkin(benchmark::State& state) {
  const Bytes& stored = CraftedSkin(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    velotune::skin::TSkinData data;
    data.SetStoredSkin(stored);
    benchmark::DoNotOptimize(data.LoadSkinStream());
  }
  state.counters["stored_kb"] = static_cast<double>(stored.size()) / 1024;
  state.counters["kb_per_s"] = benchmark::Counter(static_cast<double>(stored.size()) / 1024,
                                                  benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(LoadCraftedSkin)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
