#include "skin/data/lzh.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "skin/data/lzh_tree.h"

namespace velotune::skin {

using namespace lzh;

namespace {

// Bits taken most significant first, from a 64-bit buffer refilled eight bytes
// at a time; past the end of the input the bits are zero.
class BitReader {
 public:
  BitReader(const uint8_t* input, size_t size) : next_(input), end_(input + size) {}

  // At least 56 bits buffered afterwards. The buffer's bits below the counted
  // ones are the input's next bits or zero, so loading them again is harmless.
  void Refill() {
    if (end_ - next_ >= 8) {
      uint64_t word;
      std::memcpy(&word, next_, sizeof word);
      buffer_ |= __builtin_bswap64(word) >> count_;
      next_ += (63 - count_) >> 3;
      count_ |= 56;
      return;
    }
    while (count_ < 56) {
      if (next_ < end_) buffer_ |= uint64_t{*next_++} << (56 - count_);
      count_ += 8;
    }
  }
  int Bit() {
    if (count_ == 0) Refill();
    const int bit = static_cast<int>(buffer_ >> 63);
    buffer_ <<= 1;
    --count_;
    return bit;
  }
  int Peek(int n) const { return static_cast<int>(buffer_ >> (64 - n)); }
  void Skip(int n) {
    buffer_ <<= n;
    count_ -= n;
  }
  // The next n bits (1..16) as a number; needs n bits buffered.
  int Bits(int n) {
    const int value = static_cast<int>(buffer_ >> (64 - n));
    buffer_ <<= n;
    count_ -= n;
    return value;
  }

 private:
  const uint8_t* next_;
  const uint8_t* end_;
  uint64_t buffer_ = 0;
  int count_ = 0;
};

// The position tables as one array for the decoding loop: upper bits and the
// number of further bits to read, by first byte.
struct PositionCodes {
  uint8_t upper[256];
  uint8_t extra[256];
  PositionCodes() {
    for (int b = 0; b < 256; ++b) {
      upper[b] = static_cast<uint8_t>(PositionCode(b));
      extra[b] = static_cast<uint8_t>(PositionLength(b) - 2);
    }
  }
};

const PositionCodes& Positions() {
  static const PositionCodes codes;
  return codes;
}

// The byte a match reads from distance back of position at, where the bytes
// before the output are the ring's start: zeros, then kInitialFill spaces.
uint8_t ByteBefore(const uint8_t* output, int64_t at) {
  if (at >= 0) return output[at];
  return at < -kInitialFill ? 0 : ' ';
}

}  // namespace

void LzhDecode(const uint8_t* input, size_t size, uint8_t* output, size_t outputCount) {
  if (outputCount == 0) return;
  std::unique_ptr<HuffmanTree> tree(new (std::nothrow) HuffmanTree);
  if (!tree) throw ElzhException("LZH : Cannot get memory for dictionary tables");
  tree->Start();
  const PositionCodes& positions = Positions();
  BitReader bits(input, size);
  size_t written = 0;
  while (written < outputCount) {
    bits.Refill();
    const int c = tree->DecodeSymbol(bits);
    if (c < 256) {
      output[written++] = static_cast<uint8_t>(c);
      continue;
    }
    bits.Refill();
    const int first = bits.Bits(8);
    const int extra = positions.extra[first];
    const int low = ((first << extra) | bits.Bits(extra)) & 0x3F;
    const size_t distance = static_cast<size_t>((positions.upper[first] << 6) | low) + 1;
    const size_t length = std::min<size_t>(c - 255 + kThreshold, outputCount - written);
    uint8_t* to = output + written;
    if (distance >= 16 && distance <= written && outputCount - written >= 64) {
      // Sixteen bytes at a time, each block read after the one it may
      // overlap has been written; the few bytes past the match are written
      // again by what follows.
      for (size_t k = 0; k < length; k += 16) std::memcpy(to + k, to + k - distance, 16);
    } else if (distance > written) {
      // Reaches back into the ring's initial bytes.
      for (size_t k = 0; k < length; ++k)
        to[k] =
            ByteBefore(output, static_cast<int64_t>(written + k) - static_cast<int64_t>(distance));
    } else if (distance >= length) {
      std::memcpy(to, to - distance, length);
    } else if (distance == 1) {
      std::memset(to, to[-1], length);
    } else {
      // Overlapping: the match repeats its first distance bytes. Once those
      // are copied, every block already written is a whole number of periods
      // and can be copied forward again, doubling each time.
      std::memcpy(to, to - distance, distance);
      for (size_t done = distance; done < length;) {
        const size_t n = std::min(done, length - done);
        std::memcpy(to + done, to, n);
        done += n;
      }
    }
    written += length;
  }
}

void TLZH::LZHDecode(int32_t outputCount, const ReadProc& read, const WriteProc& write) {
  if (outputCount <= 0) return;
  std::vector<uint8_t> input;
  uint8_t block[4096];
  for (;;) {
    int actual = 0;
    read(block, static_cast<int>(sizeof block), actual);
    actual = std::clamp(actual, 0, static_cast<int>(sizeof block));
    if (actual == 0) break;
    input.insert(input.end(), block, block + actual);
  }
  std::vector<uint8_t> output(static_cast<size_t>(outputCount));
  LzhDecode(input.data(), input.size(), output.data(), output.size());
  for (size_t done = 0; done < output.size();) {
    const int count = static_cast<int>(std::min<size_t>(output.size() - done, 1 << 16));
    int written = 0;
    write(output.data() + done, count, written);
    done += static_cast<size_t>(count);
  }
}

std::vector<uint8_t> LzhDecodeBytes(const uint8_t* input, size_t size, int32_t outputCount) {
  std::vector<uint8_t> out(outputCount > 0 ? static_cast<size_t>(outputCount) : 0);
  LzhDecode(input, size, out.data(), out.size());
  return out;
}

}  // namespace velotune::skin
