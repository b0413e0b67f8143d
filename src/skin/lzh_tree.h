// The adaptive Huffman tree and the static position code of the LZHUF scheme,
// shared by the decoder and the build-time encoder so both adapt identically.
#pragma once

#include <array>
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velotune::skin::lzh {

constexpr int kRingSize = 4096;                         // N
constexpr int kMaxMatch = 60;                           // F
constexpr int kThreshold = 2;                           // shortest match is 3
constexpr int kSymbols = 256 - kThreshold + kMaxMatch;  // 314
constexpr int kNodes = 2 * kSymbols - 1;                // 627
constexpr int kRoot = kNodes - 1;                       // 626
constexpr int kMaxFreq = 0x8000;
constexpr int kInitialFill = kRingSize - kMaxMatch;  // 4036 spaces

class HuffmanTree {
 public:
  // Every symbol at frequency 1, internal nodes built pairwise.
  void Start();
  // Counts one occurrence of symbol, rebuilding first when the root is full.
  // Inline: the decoder runs it once per symbol.
  void Update(int symbol) {
    if (freq_[kRoot] == kMaxFreq) Rebuild();
    int c = parent_[symbol + kNodes];
    do {
      const uint16_t k = ++freq_[c];
      if (k > freq_[c + 1]) c = Move(c, k);
      c = parent_[c];
    } while (c != 0);
  }

  // Reads one symbol from bits (a source of single bits) and counts it, as
  // Update does. The nodes the code passes through are remembered, so until
  // the tree's shape changes the count climbs them without chasing parents.
  template <typename BitSource>
  int DecodeSymbol(BitSource& bits) {
    uint16_t path[kNodes];
    int depth = 0;
    int c = son_[kRoot];
    while (c < kNodes) {
      c += bits.Bit();
      path[depth++] = static_cast<uint16_t>(c);
      c = son_[c];
    }
    const int symbol = c - kNodes;
    if (freq_[kRoot] == kMaxFreq) {
      Update(symbol);
      return symbol;
    }
    for (int i = depth - 1; i >= 0; --i) {
      c = path[i];
      const uint16_t k = ++freq_[c];
      if (k > freq_[c + 1]) {
        // The first move changes the shape above: from here parents are chased.
        Climb(c, k);
        return symbol;
      }
    }
    ++freq_[kRoot];
    return symbol;
  }

  uint16_t Child(int node) const { return son_[node]; }
  uint16_t Parent(int node) const { return parent_[node]; }
  uint16_t Frequency(int node) const { return freq_[node]; }

 private:
  void Rebuild();

  // Keeps the frequencies sorted after node c has grown to k: moves it past
  // the run of nodes it now outweighs, swapping it with the last of them.
  // Returns where the node went.
  int Move(int c, uint16_t k) {
    const int l = LastBelow(c + 2, k);
    freq_[c] = freq_[l];
    freq_[l] = k;
    const int i = son_[c];
    parent_[i] = static_cast<uint16_t>(l);
    if (i < kNodes) parent_[i + 1] = static_cast<uint16_t>(l);
    const int j = son_[l];
    son_[l] = static_cast<uint16_t>(i);
    parent_[j] = static_cast<uint16_t>(c);
    if (j < kNodes) parent_[j + 1] = static_cast<uint16_t>(c);
    son_[c] = static_cast<uint16_t>(j);
    return l;
  }
  // The node before the first from index `from` on whose frequency is not
  // below k (the sentinels end the search).
  int LastBelow(int from, uint16_t k) const {
#if defined(__SSE2__)
    const __m128i bias = _mm_set1_epi16(static_cast<short>(0x8000));
    const __m128i limit = _mm_xor_si128(_mm_set1_epi16(static_cast<short>(k)), bias);
    for (int j = from;; j += 8) {
      const __m128i v =
          _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(freq_.data() + j)), bias);
      const int below = _mm_movemask_epi8(_mm_cmplt_epi16(v, limit));
      if (below != 0xFFFF) return j + __builtin_ctz(~below) / 2 - 1;
    }
#else
    int j = from;
    while (k > freq_[j]) ++j;
    return j - 1;
#endif
  }
  // The rest of an update from node c, just grown to k and out of order.
  void Climb(int c, uint16_t k) {
    c = parent_[Move(c, k)];
    while (c != 0) {
      const uint16_t f = ++freq_[c];
      if (f > freq_[c + 1]) c = Move(c, f);
      c = parent_[c];
    }
  }

  // + sentinels, enough for the search to read whole blocks of eight.
  std::array<uint16_t, kNodes + 8> freq_{};
  std::array<uint16_t, kNodes + kSymbols> parent_{};  // nodes, then leaves
  std::array<uint16_t, kNodes> son_{};
};

// The static code of a match position's upper six bits: for a first byte b,
// PositionCode(b) is those bits and PositionLength(b) the code length in bits.
int PositionCode(int firstByte);
int PositionLength(int firstByte);

}  // namespace velotune::skin::lzh
