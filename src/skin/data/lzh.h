// The LZHUF decoder that unpacks stored skins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/errors.h"

namespace velotune::skin {

// "LZH : Cannot get memory for dictionary tables" and the like.
class ElzhException : public Exception {
 public:
  using Exception::Exception;
};

// Decodes outputCount bytes of the LZHUF stream input[0, size) into output,
// which has room for them. A match never runs past outputCount; missing input
// reads as zero bits.
void LzhDecode(const uint8_t* input, size_t size, uint8_t* output, size_t outputCount);

class TLZH {
 public:
  // Reads at most wanted bytes into buffer; actual may come back smaller.
  using ReadProc = std::function<void(uint8_t* buffer, int wanted, int& actual)>;
  using WriteProc = std::function<void(const uint8_t* buffer, int count, int& written)>;

  // The same over streams: the input is read through read until it answers
  // nothing, and the outputCount decoded bytes are handed to write in blocks.
  void LZHDecode(int32_t outputCount, const ReadProc& read, const WriteProc& write);
};

// Convenience over byte buffers: decodes outputCount bytes from input.
std::vector<uint8_t> LzhDecodeBytes(const uint8_t* input, size_t size, int32_t outputCount);

}  // namespace velotune::skin
