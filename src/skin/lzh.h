// The LZHUF decoder that unpacks stored skins.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/errors.h"
#include "skin/lzh_tree.h"

namespace velotune::skin {

// "LZH : Cannot get memory for dictionary tables" and the like.
class ElzhException : public Exception {
 public:
  using Exception::Exception;
};

class TLZH {
 public:
  // Reads at most wanted bytes into buffer; actual may come back smaller.
  using ReadProc = std::function<void(uint8_t* buffer, int wanted, int& actual)>;
  using WriteProc = std::function<void(const uint8_t* buffer, int count, int& written)>;

  // Decodes until outputCount bytes have been written (a match never runs past
  // that count). Missing input reads as zero bits.
  void LZHDecode(int32_t outputCount, const ReadProc& read, const WriteProc& write);

 private:
  struct Tables;
  int GetBit(Tables& t);
  int GetByte(Tables& t);
  int DecodeChar(Tables& t);
  int DecodePosition(Tables& t);
  void Refill(Tables& t);

  const ReadProc* read_ = nullptr;
};

// Convenience over byte buffers: decodes outputCount bytes from input.
std::vector<uint8_t> LzhDecodeBytes(const uint8_t* input, size_t size, int32_t outputCount);

}  // namespace velotune::skin
