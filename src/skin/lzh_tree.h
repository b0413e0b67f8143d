// The adaptive Huffman tree and the static position code of the LZHUF scheme,
// shared by the decoder and the build-time encoder so both adapt identically.
#pragma once

#include <array>
#include <cstdint>

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
      // Keep the frequencies sorted: move the node past the run of nodes it
      // now outweighs, swapping it with the last of them.
      if (k > freq_[c + 1]) {
        int l = c + 1;
        while (k > freq_[l + 1]) ++l;
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
        c = l;
      }
      c = parent_[c];
    } while (c != 0);
  }

  uint16_t Child(int node) const { return son_[node]; }
  uint16_t Parent(int node) const { return parent_[node]; }
  uint16_t Frequency(int node) const { return freq_[node]; }

 private:
  void Rebuild();

  std::array<uint16_t, kNodes + 1> freq_{};           // + sentinel
  std::array<uint16_t, kNodes + kSymbols> parent_{};  // nodes, then leaves
  std::array<uint16_t, kNodes> son_{};
};

// The static code of a match position's upper six bits: for a first byte b,
// PositionCode(b) is those bits and PositionLength(b) the code length in bits.
int PositionCode(int firstByte);
int PositionLength(int firstByte);

}  // namespace velotune::skin::lzh
