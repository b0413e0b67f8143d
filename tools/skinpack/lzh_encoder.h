// The LZHUF encoder: the mirror of the skin decoder, used at build time to pack
// skins. Besides whole-buffer compression it can emit single symbols, so tests
// can build exact streams.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "skin/data/lzh_tree.h"

namespace velotune::skinpack {

class LzhBitWriter {
 public:
  // Appends the low count bits of value, most significant first.
  void Put(int count, uint32_t value);
  // Pads the last byte with zero bits and hands the bytes over.
  std::vector<uint8_t> Finish();

 private:
  std::vector<uint8_t> bytes_;
  uint32_t buffer_ = 0;
  int used_ = 0;
};

class LzhSymbolEncoder {
 public:
  LzhSymbolEncoder();
  void Literal(uint8_t byte);
  // A match of length 3..60 copying from position back (0 = the byte just written).
  void Match(int length, int position);
  std::vector<uint8_t> Finish() { return bits_.Finish(); }

 private:
  void EncodeSymbol(int symbol);

  skin::lzh::HuffmanTree tree_;
  LzhBitWriter bits_;
  std::array<int, 64> upperCode_{};    // first byte of each upper value's code
  std::array<int, 64> upperLength_{};  // its length in bits
};

// Compresses data; the result carries no size header.
std::vector<uint8_t> LzhEncode(const std::vector<uint8_t>& data);

// A skin file: the signed 32-bit unpacked size, then the LZHUF stream.
std::vector<uint8_t> PackSkinFile(const std::vector<uint8_t>& container);

}  // namespace velotune::skinpack
