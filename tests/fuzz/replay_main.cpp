// Runs a fuzz entry point without libFuzzer: every file named (or found in a
// named folder), and for each a fixed set of variations of it (cut short, bytes
// flipped, bytes inserted), so sanitizer builds exercise the damaged-input paths.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Bytes = std::vector<uint8_t>;

void Run(const Bytes& input) {
  LLVMFuzzerTestOneInput(input.data(), input.size());
}

void RunVariations(const Bytes& seed, std::mt19937& rng, int rounds) {
  Run(seed);
  for (size_t cut : {size_t{0}, size_t{1}, size_t{2}, size_t{4}, size_t{16}, seed.size() / 2})
    if (cut < seed.size())
      Run(Bytes(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(cut)));
  for (int i = 0; i < rounds && !seed.empty(); ++i) {
    Bytes changed = seed;
    const int edits = 1 + static_cast<int>(rng() % 4);
    for (int e = 0; e < edits; ++e) {
      const size_t at = rng() % changed.size();
      switch (rng() % 3) {
        case 0:
          changed[at] ^= static_cast<uint8_t>(1u << (rng() % 8));
          break;
        case 1:
          changed[at] = static_cast<uint8_t>(rng());
          break;
        default:
          changed.insert(changed.begin() + static_cast<std::ptrdiff_t>(at),
                         static_cast<uint8_t>(rng()));
      }
    }
    Run(changed);
  }
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::mt19937 rng(12345);
  size_t seeds = 0;
  const int rounds = 200;
  for (int i = 1; i < argc; ++i) {
    std::vector<fs::path> files;
    if (fs::is_directory(argv[i])) {
      for (const auto& entry : fs::directory_iterator(argv[i]))
        if (entry.is_regular_file()) files.push_back(entry.path());
    } else {
      files.push_back(argv[i]);
    }
    for (const fs::path& file : files) {
      std::ifstream in(file, std::ios::binary);
      const Bytes seed{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      RunVariations(seed, rng, rounds);
      ++seeds;
    }
  }
  // Random inputs as well, so an empty corpus still exercises the target.
  for (int i = 0; i < 200; ++i) {
    Bytes random(rng() % 512);
    for (auto& b : random) b = static_cast<uint8_t>(rng());
    Run(random);
  }
  std::printf("replayed %zu seeds with %d variations each\n", seeds, rounds);
  return 0;
}
