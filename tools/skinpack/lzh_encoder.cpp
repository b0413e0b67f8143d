#include "lzh_encoder.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace velotune::skinpack {

using namespace skin::lzh;

void LzhBitWriter::Put(int count, uint32_t value) {
  for (int i = count - 1; i >= 0; --i) {
    buffer_ = (buffer_ << 1) | ((value >> i) & 1);
    if (++used_ == 8) {
      bytes_.push_back(static_cast<uint8_t>(buffer_));
      buffer_ = 0;
      used_ = 0;
    }
  }
}

std::vector<uint8_t> LzhBitWriter::Finish() {
  if (used_ > 0) bytes_.push_back(static_cast<uint8_t>(buffer_ << (8 - used_)));
  buffer_ = 0;
  used_ = 0;
  return std::move(bytes_);
}

LzhSymbolEncoder::LzhSymbolEncoder() {
  tree_.Start();
  for (int b = 255; b >= 0; --b) {
    upperCode_[PositionCode(b)] = b;
    upperLength_[PositionCode(b)] = PositionLength(b);
  }
}

void LzhSymbolEncoder::EncodeSymbol(int symbol) {
  // Walk from the leaf to the root collecting branch bits, then emit them root first.
  int bits[kNodes];
  int depth = 0;
  int node = tree_.Parent(symbol + kNodes);  // the node holding the leaf
  do {
    const int up = tree_.Parent(node);
    bits[depth++] = node - tree_.Child(up);
    node = up;
  } while (node != kRoot);
  for (int i = depth - 1; i >= 0; --i) bits_.Put(1, static_cast<uint32_t>(bits[i]));
  tree_.Update(symbol);
}

void LzhSymbolEncoder::Literal(uint8_t byte) {
  EncodeSymbol(byte);
}

void LzhSymbolEncoder::Match(int length, int position) {
  EncodeSymbol(255 - kThreshold + length);
  const int upper = position >> 6;
  // The code's first byte carries the upper value in its top bits.
  bits_.Put(upperLength_[upper],
            static_cast<uint32_t>(upperCode_[upper] >> (8 - upperLength_[upper])));
  bits_.Put(6, static_cast<uint32_t>(position & 0x3F));
}

namespace {

constexpr int kNil = kRingSize;

// LZSS match finder over binary search trees keyed by the ring's strings.
class MatchFinder {
 public:
  MatchFinder() {
    for (int i = kRingSize + 1; i <= kRingSize + 256; ++i) right_[i] = kNil;
    for (int i = 0; i < kRingSize; ++i) parent_[i] = kNil;
  }
  uint8_t ring[kRingSize + kMaxMatch - 1] = {};
  int matchLength = 0;
  int matchPosition = 0;

  void Insert(int r) {
    int cmp = 1;
    const uint8_t* key = &ring[r];
    int p = kRingSize + 1 + key[0];
    right_[r] = left_[r] = kNil;
    matchLength = 0;
    for (;;) {
      if (cmp >= 0) {
        if (right_[p] != kNil) {
          p = right_[p];
        } else {
          right_[p] = r;
          parent_[r] = p;
          return;
        }
      } else {
        if (left_[p] != kNil) {
          p = left_[p];
        } else {
          left_[p] = r;
          parent_[r] = p;
          return;
        }
      }
      int i = 1;
      for (; i < kMaxMatch; ++i)
        if ((cmp = key[i] - ring[p + i]) != 0) break;
      if (i > kThreshold) {
        const int position = ((r - p) & (kRingSize - 1)) - 1;
        if (i > matchLength) {
          matchPosition = position;
          if ((matchLength = i) >= kMaxMatch) break;
        } else if (i == matchLength && position < matchPosition) {
          matchPosition = position;
        }
      }
    }
    // A full-length match replaces the old node.
    parent_[r] = parent_[p];
    left_[r] = left_[p];
    right_[r] = right_[p];
    parent_[left_[p]] = r;
    parent_[right_[p]] = r;
    if (right_[parent_[p]] == p)
      right_[parent_[p]] = r;
    else
      left_[parent_[p]] = r;
    parent_[p] = kNil;
  }

  void Delete(int p) {
    if (parent_[p] == kNil) return;
    int q;
    if (right_[p] == kNil) {
      q = left_[p];
    } else if (left_[p] == kNil) {
      q = right_[p];
    } else {
      q = left_[p];
      if (right_[q] != kNil) {
        do q = right_[q];
        while (right_[q] != kNil);
        right_[parent_[q]] = left_[q];
        parent_[left_[q]] = parent_[q];
        left_[q] = left_[p];
        parent_[left_[p]] = q;
      }
      right_[q] = right_[p];
      parent_[right_[p]] = q;
    }
    parent_[q] = parent_[p];
    if (right_[parent_[p]] == p)
      right_[parent_[p]] = q;
    else
      left_[parent_[p]] = q;
    parent_[p] = kNil;
  }

 private:
  // The three work tables: 4097, 4097 and 4353 entries.
  int left_[kRingSize + 1] = {};
  int parent_[kRingSize + 1] = {};
  int right_[kRingSize + 257] = {};
};

}  // namespace

std::vector<uint8_t> LzhEncode(const std::vector<uint8_t>& data) {
  LzhSymbolEncoder out;
  if (data.empty()) return out.Finish();
  auto finder = std::make_unique<MatchFinder>();
  MatchFinder& m = *finder;
  size_t next = 0;
  int s = 0;
  int r = kInitialFill;
  std::memset(m.ring, ' ', kInitialFill);
  int len = 0;
  for (; len < kMaxMatch && next < data.size(); ++len) m.ring[r + len] = data[next++];
  for (int i = 1; i <= kMaxMatch; ++i) m.Insert(r - i);
  m.Insert(r);
  do {
    if (m.matchLength > len) m.matchLength = len;
    if (m.matchLength <= kThreshold) {
      m.matchLength = 1;
      out.Literal(m.ring[r]);
    } else {
      out.Match(m.matchLength, m.matchPosition);
    }
    const int last = m.matchLength;
    int i = 0;
    for (; i < last && next < data.size(); ++i) {
      const uint8_t c = data[next++];
      m.Delete(s);
      m.ring[s] = c;
      if (s < kMaxMatch - 1) m.ring[s + kRingSize] = c;
      s = (s + 1) & (kRingSize - 1);
      r = (r + 1) & (kRingSize - 1);
      m.Insert(r);
    }
    while (i++ < last) {
      m.Delete(s);
      s = (s + 1) & (kRingSize - 1);
      r = (r + 1) & (kRingSize - 1);
      if (--len) m.Insert(r);
    }
  } while (len > 0);
  return out.Finish();
}

std::vector<uint8_t> PackSkinFile(const std::vector<uint8_t>& container) {
  const int32_t size = static_cast<int32_t>(container.size());
  const std::vector<uint8_t> stream = LzhEncode(container);
  std::vector<uint8_t> file(4 + stream.size());
  std::memcpy(file.data(), &size, 4);
  std::copy(stream.begin(), stream.end(), file.begin() + 4);
  return file;
}

}  // namespace velotune::skinpack
