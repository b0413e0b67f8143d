#include "skin/lzh.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace velotune::skin {

using namespace lzh;

// The decoder's whole state, allocated once per decode.
struct TLZH::Tables {
  HuffmanTree tree;
  std::array<uint8_t, kRingSize + kMaxMatch - 1> ring{};
  uint16_t bitBuffer = 0;
  uint8_t bitCount = 0;
  // Input is pulled through the read procedure in blocks.
  std::array<uint8_t, 4096> input{};
  int inputPos = 0;
  int inputLen = 0;
  bool inputDone = false;
};

void TLZH::Refill(Tables& t) {
  while (t.bitCount <= 8) {
    int byte = 0;
    if (t.inputPos == t.inputLen && !t.inputDone) {
      int actual = 0;
      (*read_)(t.input.data(), static_cast<int>(t.input.size()), actual);
      t.inputPos = 0;
      t.inputLen = std::clamp(actual, 0, static_cast<int>(t.input.size()));
      if (t.inputLen == 0) t.inputDone = true;
    }
    if (t.inputPos < t.inputLen) byte = t.input[t.inputPos++];
    t.bitBuffer = static_cast<uint16_t>(t.bitBuffer | (byte << (8 - t.bitCount)));
    t.bitCount = static_cast<uint8_t>(t.bitCount + 8);
  }
}

int TLZH::GetBit(Tables& t) {
  Refill(t);
  const int bit = (t.bitBuffer >> 15) & 1;
  t.bitBuffer = static_cast<uint16_t>(t.bitBuffer << 1);
  --t.bitCount;
  return bit;
}

int TLZH::GetByte(Tables& t) {
  Refill(t);
  const int byte = t.bitBuffer >> 8;
  t.bitBuffer = static_cast<uint16_t>(t.bitBuffer << 8);
  t.bitCount = static_cast<uint8_t>(t.bitCount - 8);
  return byte;
}

int TLZH::DecodeChar(Tables& t) {
  int c = t.tree.Child(kRoot);
  while (c < kNodes) c = t.tree.Child(c + GetBit(t));
  c -= kNodes;
  t.tree.Update(c);
  return c;
}

int TLZH::DecodePosition(Tables& t) {
  int i = GetByte(t);
  const int upper = PositionCode(i) << 6;
  for (int j = PositionLength(i) - 2; j > 0; --j) i = (i << 1) + GetBit(t);
  return upper | (i & 0x3F);
}

void TLZH::LZHDecode(int32_t outputCount, const ReadProc& read, const WriteProc& write) {
  std::unique_ptr<Tables> tables(new (std::nothrow) Tables);
  if (!tables) throw ElzhException("LZH : Cannot get memory for dictionary tables");
  Tables& t = *tables;
  read_ = &read;
  t.tree.Start();
  std::fill(t.ring.begin(), t.ring.begin() + kInitialFill, ' ');
  int r = kInitialFill;
  int written = 0;
  auto put = [&](uint8_t byte) {
    int done = 0;
    write(&byte, 1, done);
    t.ring[r] = byte;
    r = (r + 1) & (kRingSize - 1);
    ++written;
  };
  while (written < outputCount) {
    const int c = DecodeChar(t);
    if (c < 256) {
      put(static_cast<uint8_t>(c));
    } else {
      const int start = (r - DecodePosition(t) - 1) & (kRingSize - 1);
      const int length = c - 255 + kThreshold;
      for (int k = 0; k < length && written < outputCount; ++k)
        put(t.ring[(start + k) & (kRingSize - 1)]);
    }
  }
  read_ = nullptr;
}

std::vector<uint8_t> LzhDecodeBytes(const uint8_t* input, size_t size, int32_t outputCount) {
  std::vector<uint8_t> out;
  if (outputCount <= 0) return out;
  out.reserve(static_cast<size_t>(outputCount));
  size_t pos = 0;
  TLZH lzh;
  lzh.LZHDecode(
      outputCount,
      [&](uint8_t* buffer, int wanted, int& actual) {
        actual = static_cast<int>(std::min<size_t>(static_cast<size_t>(wanted), size - pos));
        if (actual > 0) std::memcpy(buffer, input + pos, static_cast<size_t>(actual));
        pos += static_cast<size_t>(actual);
      },
      [&](const uint8_t* buffer, int count, int& written) {
        out.insert(out.end(), buffer, buffer + count);
        written = count;
      });
  return out;
}

}  // namespace velotune::skin
