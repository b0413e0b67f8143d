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
  void Update(int symbol) {
    if (freq_[kRoot] == kMaxFreq) Rebuild();
    CountFrom(parent_[symbol + kNodes]);
  }

  // Reads one symbol from bits and counts it, as Update does. The code's first
  // seven bits are looked up at once, so bits must hold at least seven.
  template <typename BitSource>
  int DecodeSymbol(BitSource& bits) {
    const uint32_t entry = codeTable_[bits.Peek(kCodeTableBits)];
    bits.Skip(static_cast<int>(entry >> 16));
    int node = static_cast<int>(entry & 0xFFFF);
    int c = son_[node];
    while (c < kNodes) {
      node = c + bits.Bit();
      c = son_[node];
    }
    if (freq_[kRoot] == kMaxFreq) {
      Rebuild();
      node = parent_[c];
    }
    CountFrom(node);
    return c - kNodes;
  }

  uint16_t Child(int node) const { return son_[node]; }
  uint16_t Parent(int node) const { return parent_[node]; }
  uint16_t Frequency(int node) const { return freq_[node]; }
  // Whether the code table and its marks are what the tree's shape gives now.
  bool CodeTableMatchesTree() const;

 private:
  // The first bits of a code, looked up at once: codeTable_[bits] holds the
  // node reached after reading at most this many bits (stopping at a leaf) in
  // its low half and the number of bits read in its high half. It depends only
  // on the nodes above that depth (the marked nodes), so it changes only when
  // a move exchanges a marked node's subtree.
  static constexpr int kCodeTableBits = 7;
  using CodeTable = std::array<uint32_t, 1 << kCodeTableBits>;
  struct CodeMarks {
    std::array<uint8_t, kNodes> marked{};  // above the table's depth
    std::array<uint8_t, kNodes> depth{};   // for marked nodes: their code
    std::array<uint16_t, kNodes> code{};   // length and value
  };

  void Rebuild();

  // Increments node c and every node above it, keeping the frequencies sorted.
  void CountFrom(int c) {
    do {
      const uint16_t k = ++freq_[c];
      if (k > freq_[c + 1]) c = Move(c, k);
      c = parent_[c];
    } while (c != 0);
  }
  // Keeps the frequencies sorted after node c has grown to k: moves it past
  // the run of nodes it now outweighs, swapping it with the last of them.
  // Returns where the node went.
  int Move(int c, uint16_t k) {
    const int l = LastBelow(c + 2, k);
    const int i = son_[c];
    const int j = son_[l];
    // Two leaves trading places leave every code's nodes where they were.
    if ((marks_.marked[c] | marks_.marked[l]) && (i < kNodes || j < kNodes))
      MoveMarked(c, l, k);
    else
      Swap(c, l, k, i, j);
    return l;
  }
  // Swaps nodes c (grown to k, with children i) and l (children j).
  void Swap(int c, int l, uint16_t k, int i, int j) {
    freq_[c] = freq_[l];
    freq_[l] = k;
    parent_[i] = static_cast<uint16_t>(l);
    if (i < kNodes) parent_[i + 1] = static_cast<uint16_t>(l);
    son_[l] = static_cast<uint16_t>(i);
    parent_[j] = static_cast<uint16_t>(c);
    if (j < kNodes) parent_[j + 1] = static_cast<uint16_t>(c);
    son_[c] = static_cast<uint16_t>(j);
  }
  // The same when c or l is marked: the code table is made again below them.
  void MoveMarked(int c, int l, uint16_t k);
  void Unmark(int node);
  // Fills the code table below node, whose code is `code`, `depth` bits long.
  void FillCodes(int node, int depth, int code, CodeTable& table, CodeMarks& marks) const;
  // The node before the first from index `from` on whose frequency is not
  // below k (the sentinels end the search).
  int LastBelow(int from, uint16_t k) const {
#if defined(__SSE2__)
    // Sixteen at a time: nearly every run ends within them.
    const __m128i bias = _mm_set1_epi16(static_cast<short>(0x8000));
    const __m128i limit = _mm_xor_si128(_mm_set1_epi16(static_cast<short>(k)), bias);
    for (int j = from;; j += 16) {
      const __m128i* at = reinterpret_cast<const __m128i*>(freq_.data() + j);
      const __m128i low = _mm_xor_si128(_mm_loadu_si128(at), bias);
      const __m128i high = _mm_xor_si128(_mm_loadu_si128(at + 1), bias);
      const uint32_t below = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmplt_epi16(low, limit))) |
                             static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmplt_epi16(high, limit)))
                                 << 16;
      if (below != 0xFFFFFFFFu) return j + __builtin_ctz(~below) / 2 - 1;
    }
#else
    int j = from;
    while (k > freq_[j]) ++j;
    return j - 1;
#endif
  }

  // + sentinels, enough for the search to read whole blocks of sixteen.
  std::array<uint16_t, kNodes + 16> freq_{};
  std::array<uint16_t, kNodes + kSymbols> parent_{};  // nodes, then leaves
  std::array<uint16_t, kNodes> son_{};
  CodeTable codeTable_{};
  CodeMarks marks_;
};

// The static code of a match position's upper six bits: for a first byte b,
// PositionCode(b) is those bits and PositionLength(b) the code length in bits.
int PositionCode(int firstByte);
int PositionLength(int firstByte);

}  // namespace velotune::skin::lzh
