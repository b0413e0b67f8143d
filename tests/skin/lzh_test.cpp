#include "skin/data/lzh.h"

#include <gtest/gtest.h>

#include <random>

#include "lzh_baseline.h"
#include "lzh_encoder.h"
#include "skin/data/skin_reader.h"
#include "skin_files.h"

namespace velotune::skin {
namespace {

using skinpack::LzhEncode;
using skinpack::LzhSymbolEncoder;
using testing::Bytes;

Bytes Decode(const Bytes& stream, int32_t count) {
  return LzhDecodeBytes(stream.data(), stream.size(), count);
}

Bytes RandomBytes(size_t n, uint32_t seed, int alphabet = 256) {
  std::mt19937 rng(seed);
  Bytes out(n);
  for (auto& b : out) b = static_cast<uint8_t>(rng() % alphabet);
  return out;
}

TEST(LzhRoundTrip, DecodesWhatTheEncoderWrote) {
  Bytes text;
  for (int i = 0; i < 2000; ++i) {
    const std::string line = "Line " + std::to_string(i % 37) + " of the skin INI text\r\n";
    text.insert(text.end(), line.begin(), line.end());
  }
  Bytes skinContainer;
  ASSERT_TRUE(TSkinReader::UnpackStream(testing::ShippedSkinFile(), skinContainer));
  const std::vector<std::pair<const char*, Bytes>> cases = {
      {"empty", {}},
      {"one byte", {0x41}},
      {"one space", {' '}},
      {"long run", Bytes(100000, 0xAB)},
      {"leading spaces", Bytes(5000, ' ')},
      {"random", RandomBytes(50000, 1)},
      {"small alphabet", RandomBytes(50000, 2, 3)},
      {"text", text},
      {"the shipped skin", skinContainer},
  };
  for (const auto& [name, data] : cases) {
    const Bytes packed = LzhEncode(data);
    EXPECT_EQ(Decode(packed, static_cast<int32_t>(data.size())), data) << name;
  }
  // Real data must compress; the LZSS part has to find matches.
  EXPECT_LT(LzhEncode(text).size(), text.size() / 10);
}

TEST(LzhRoundTrip, SurvivesManyTreeRebuilds) {
  // The root frequency reaches 0x8000 about every 32000 symbols; random
  // literals make nearly one symbol per byte, so this rebuilds the tree ~12 times.
  const Bytes data = RandomBytes(400000, 7);
  EXPECT_EQ(Decode(LzhEncode(data), static_cast<int32_t>(data.size())), data);
}

TEST(LzhSymbols, OverlappingMatchRepeatsTheLastByte) {
  LzhSymbolEncoder encoder;
  encoder.Literal('x');
  encoder.Match(10, 0);
  EXPECT_EQ(Decode(encoder.Finish(), 11), Bytes(11, 'x'));
}

TEST(LzhSymbols, FirstMatchesReadTheInitialSpaces) {
  LzhSymbolEncoder encoder;
  encoder.Match(60, 100);
  encoder.Literal('a');
  encoder.Match(3, 4000);
  Bytes expected(60, ' ');
  expected.push_back('a');
  expected.insert(expected.end(), 3, ' ');
  EXPECT_EQ(Decode(encoder.Finish(), 64), expected);
}

TEST(LzhSymbols, EveryPositionCodeRoundTrips) {
  LzhSymbolEncoder encoder;
  Bytes expected;
  for (int i = 0; i < 4096; ++i) expected.push_back(static_cast<uint8_t>(i * 7 + 3));
  for (uint8_t b : expected) encoder.Literal(b);
  // A 3-byte match at every distance the ring allows.
  std::vector<uint8_t> ring(expected.begin(), expected.end());
  for (int position = 0; position < 4096; position += 1) {
    encoder.Match(3, position);
    for (int k = 0; k < 3; ++k) {
      const uint8_t byte = ring[ring.size() - 1 - position];
      ring.push_back(byte);
      expected.push_back(byte);
    }
  }
  EXPECT_EQ(Decode(encoder.Finish(), static_cast<int32_t>(expected.size())), expected);
}

// The standard LZHUF decoding tables, as runs over the 256 first-byte values:
// `code` (the upper six position bits) and `len` (the code length in bits).
TEST(LzhSymbols, PositionTablesAreTheStandardOnes) {
  struct Run {
    int value;
    int count;
  };
  std::vector<Run> codeRuns = {{0, 32}};
  for (int v = 1; v <= 3; ++v) codeRuns.push_back({v, 16});
  for (int v = 4; v <= 11; ++v) codeRuns.push_back({v, 8});
  for (int v = 12; v <= 23; ++v) codeRuns.push_back({v, 4});
  for (int v = 24; v <= 47; ++v) codeRuns.push_back({v, 2});
  for (int v = 48; v <= 63; ++v) codeRuns.push_back({v, 1});
  const Run lengthRuns[] = {{3, 32}, {4, 48}, {5, 64}, {6, 48}, {7, 48}, {8, 16}};

  int b = 0;
  for (const Run& run : codeRuns)
    for (int k = 0; k < run.count; ++k, ++b) EXPECT_EQ(lzh::PositionCode(b), run.value) << b;
  EXPECT_EQ(b, 256);
  b = 0;
  for (const Run& run : lengthRuns)
    for (int k = 0; k < run.count; ++k, ++b) EXPECT_EQ(lzh::PositionLength(b), run.value) << b;
  EXPECT_EQ(b, 256);
}

// Any bit sequence is a valid LZHUF stream. These bytes, decoded by a separate
// implementation of the scheme, give output whose first bytes and FNV-1a hash
// are below; a million bytes take the tree through six rebuilds while the
// input still lasts, so the adaptive code is checked without our encoder.
TEST(LzhDecode, MatchesAReferenceDecodingOfArbitraryBits) {
  Bytes input(200000);
  uint32_t x = 12345;
  for (uint8_t& byte : input) {
    x = x * 1664525u + 1013904223u;
    byte = static_cast<uint8_t>(x >> 24);
  }
  const Bytes out = Decode(input, 1000000);
  ASSERT_EQ(out.size(), 1000000u);
  const Bytes head = {121, 120, 255, 32, 32, 32, 32, 32, 32, 32, 32, 32};
  EXPECT_TRUE(std::equal(head.begin(), head.end(), out.begin()));
  uint64_t hash = 0xcbf29ce484222325ull;
  for (uint8_t byte : out) hash = (hash ^ byte) * 0x100000001b3ull;
  EXPECT_EQ(hash, 0xb5fbce1b01d10108ull);
}

// The decoder reads a word at a time and copies matches in blocks; the
// baseline reads a bit at a time and copies byte by byte. Their output must be
// the same for streams our encoder writes, for arbitrary bits (any bit
// sequence is a stream), and for streams cut short.
TEST(LzhDecode, SameOutputAsTheBaselineDecoder) {
  Bytes skinContainer;
  ASSERT_TRUE(TSkinReader::UnpackStream(testing::ShippedSkinFile(), skinContainer));
  Bytes periods;  // overlapping matches of every short period
  for (int period = 1; period < 70; ++period)
    for (int k = 0; k < 3 * period + 5; ++k) periods.push_back(static_cast<uint8_t>(k % period));
  std::vector<std::pair<std::string, Bytes>> streams;
  for (const auto& [name, data] :
       std::vector<std::pair<std::string, Bytes>>{{"skin", skinContainer},
                                                  {"periods", periods},
                                                  {"random", RandomBytes(70000, 11)},
                                                  {"small alphabet", RandomBytes(90000, 12, 5)},
                                                  {"spaces", Bytes(9000, ' ')}}) {
    const Bytes packed = LzhEncode(data);
    streams.push_back({name, packed});
    streams.push_back({name + " cut", Bytes(packed.begin(), packed.begin() + packed.size() / 3)});
  }
  for (uint32_t seed = 1; seed <= 8; ++seed)
    streams.push_back({"bits", RandomBytes(5000 * seed, seed)});
  for (const auto& [name, stream] : streams) {
    for (size_t count : {size_t{0}, size_t{1}, size_t{4097}, size_t{100000}, size_t{300000}}) {
      const Bytes expected = bench::BaselineLzhDecode(stream.data(), stream.size(), count);
      ASSERT_EQ(Decode(stream, static_cast<int32_t>(count)), expected) << name << ", " << count;
    }
  }
}

TEST(LzhDecode, StopsAtTheRequestedCountInsideAMatch) {
  LzhSymbolEncoder encoder;
  encoder.Literal('y');
  encoder.Match(10, 0);
  EXPECT_EQ(Decode(encoder.Finish(), 5), Bytes(5, 'y'));
}

TEST(LzhDecode, TruncatedInputKeepsItsPrefixAndFillsTheCount) {
  const Bytes data = RandomBytes(20000, 3, 16);
  const Bytes packed = LzhEncode(data);
  for (size_t keep : {size_t{0}, size_t{1}, packed.size() / 2, packed.size() - 1}) {
    const Bytes cut(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(keep));
    const Bytes out = Decode(cut, static_cast<int32_t>(data.size()));
    ASSERT_EQ(out.size(), data.size()) << keep;
    // Every input byte carries more than one output byte here, so at least the
    // first keep / 2 bytes decode as before the cut.
    EXPECT_TRUE(
        std::equal(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(keep / 2), data.begin()))
        << keep;
  }
}

TEST(LzhDecode, NothingIsAskedOfTheStreamsForZeroBytes) {
  int reads = 0;
  TLZH lzh;
  lzh.LZHDecode(
      0, [&](uint8_t*, int, int& actual) { ++reads, actual = 0; },
      [&](const uint8_t*, int count, int& written) { written = count; });
  EXPECT_EQ(reads, 0);
}

// The adaptive tree must stay a valid Huffman tree through updates and rebuilds:
// frequencies sorted, every internal node the sum of its children, parent links
// matching child links; and the table of the codes' first bits, kept up as
// nodes move, must stay what the tree gives.
TEST(HuffmanTree, StaysConsistentThroughRebuilds) {
  using namespace lzh;
  HuffmanTree tree;
  tree.Start();
  std::mt19937 rng(5);
  auto check = [&](int step) {
    for (int i = 0; i + 1 < kNodes; ++i)
      ASSERT_LE(tree.Frequency(i), tree.Frequency(i + 1)) << "step " << step << " node " << i;
    for (int i = 0; i < kNodes; ++i) {
      const int child = tree.Child(i);
      if (child >= kNodes) {
        ASSERT_EQ(tree.Parent(child), i);
      } else {
        ASSERT_EQ(tree.Frequency(i), tree.Frequency(child) + tree.Frequency(child + 1));
        ASSERT_EQ(tree.Parent(child), i);
        ASSERT_EQ(tree.Parent(child + 1), i);
      }
    }
  };
  check(0);
  for (int step = 1; step <= 100000; ++step) {
    // Skewed symbols so the tree reshapes a lot.
    const int symbol = static_cast<int>(rng() % 4 == 0 ? rng() % kSymbols : rng() % 8);
    tree.Update(symbol);
    if (step % 9973 == 0) check(step);
    if (step % 16 == 0) {
      ASSERT_TRUE(tree.CodeTableMatchesTree()) << "step " << step;
    }
    ASSERT_LE(tree.Frequency(kRoot), kMaxFreq);
  }
}

}  // namespace
}  // namespace velotune::skin
