#include "skin/data/bmp_reader.h"

#include <algorithm>

namespace velotune::skin {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
// The colour masks sit right after the 40-byte part of the header, inside
// the longer headers and after the header itself for a 40-byte one.
constexpr size_t kMasksOffset = kFileHeaderSize + kInfoHeaderSize;
constexpr size_t kMasksEnd = kMasksOffset + 12;

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;

uint32_t U32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t U16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

bool ValidDepth(int bits, uint32_t compression, bool core) {
  if (core) return bits == 1 || bits == 4 || bits == 8 || bits == 24;
  switch (compression) {
    case kBiRgb:
      return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case kBiRle8:
      return bits == 8;
    case kBiRle4:
      return bits == 4;
    case kBiBitfields:
      return bits == 16 || bits == 32;
    default:
      return false;
  }
}

// A colour mask as a shift and a width, with the widening of its values to
// eight bits (the bits repeated, so a full field becomes 255).
class Channel {
 public:
  // False for a mask whose bits are not contiguous.
  bool Set(uint32_t mask) {
    mask_ = mask;
    shift_ = 0;
    width_ = 0;
    if (mask == 0) return true;
    while (!((mask >> shift_) & 1)) ++shift_;
    const uint32_t field = mask >> shift_;
    if ((field & (field + 1)) != 0 && field != 0xFFFFFFFFu) return false;
    while (width_ < 32 && ((field >> width_) & 1)) ++width_;
    return true;
  }
  int Value(uint32_t pixel) const {
    if (width_ == 0) return 0;
    const uint32_t v = (pixel & mask_) >> shift_;
    if (width_ >= 8) return static_cast<int>(v >> (width_ - 8));
    uint32_t wide = 0;
    int filled = 0;
    while (filled < 8) {
      wide = (wide << width_) | v;
      filled += width_;
    }
    return static_cast<int>(wide >> (filled - 8));
  }

 private:
  uint32_t mask_ = 0;
  int shift_ = 0;
  int width_ = 0;
};

void DecodeRows(const uint8_t* data, const BmpLayout& l, size_t stride,
                std::vector<Pixel>* pixels) {
  Channel red, green, blue;
  red.Set(l.masks[0]);
  green.Set(l.masks[1]);
  blue.Set(l.masks[2]);
  const bool plain32 = l.bits == 32 && l.masks[0] == 0x00FF0000 && l.masks[1] == 0x0000FF00 &&
                       l.masks[2] == 0x000000FF;
  for (int32_t y = 0; y < l.height; ++y) {
    const uint8_t* src =
        data + l.dataOffset + stride * static_cast<size_t>(l.topDown ? y : l.height - 1 - y);
    Pixel* dst = pixels->data() + static_cast<size_t>(y) * l.width;
    for (int32_t x = 0; x < l.width; ++x) {
      switch (l.bits) {
        case 24:
          dst[x] = MakePixel(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
          break;
        case 32:
        case 16: {
          if (plain32) {
            dst[x] = MakePixel(src[4 * x + 2], src[4 * x + 1], src[4 * x]);
            break;
          }
          const uint32_t v = l.bits == 32 ? U32(src + 4 * x) : U16(src + 2 * x);
          dst[x] = MakePixel(red.Value(v), green.Value(v), blue.Value(v));
          break;
        }
        default: {
          const int perByte = 8 / l.bits;
          const int shift = 8 - l.bits * (x % perByte + 1);
          dst[x] = l.palette[(src[x / perByte] >> shift) & ((1 << l.bits) - 1)];
        }
      }
    }
  }
}

// Run-length data: pairs of (count, index) or escapes (end of line, end of
// bitmap, a jump, a literal run). Rows are counted from the bottom; pixels
// the runs skip stay black, and runs past the right edge are cut there.
void DecodeRunLengths(const uint8_t* data, size_t size, const BmpLayout& l,
                      std::vector<Pixel>* pixels) {
  const bool four = l.bits == 4;
  int64_t x = 0, y = 0;
  auto put = [&](int index) {
    if (x < l.width && y < l.height)
      (*pixels)[static_cast<size_t>(l.height - 1 - y) * l.width + static_cast<size_t>(x)] =
          l.palette[index];
    ++x;
  };
  size_t p = l.dataOffset;
  while (p + 2 <= size && y < l.height) {
    const int count = data[p], value = data[p + 1];
    p += 2;
    if (count > 0) {
      for (int k = 0; k < count && x < l.width; ++k)
        put(four ? (k % 2 == 0 ? value >> 4 : value & 0x0F) : value);
      continue;
    }
    if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      if (p + 2 > size) break;
      x = std::min<int64_t>(x + data[p], l.width);
      y += data[p + 1];
      p += 2;
    } else {
      // A literal run of value pixels, padded to a whole number of words.
      const size_t bytes = four ? (static_cast<size_t>(value) + 1) / 2 : value;
      if (bytes > size - p) break;
      for (int k = 0; k < value && x < l.width; ++k)
        put(four ? (k % 2 == 0 ? data[p + k / 2] >> 4 : data[p + k / 2] & 0x0F) : data[p + k]);
      p += std::min(size - p, (bytes + 1) & ~size_t{1});
    }
  }
}

}  // namespace

bool ReadBmpLayout(const uint8_t* data, size_t size, BmpLayout* l) {
  if (data == nullptr || size < kFileHeaderSize + kCoreHeaderSize) return false;
  if (data[0] != 'B' || data[1] != 'M') return false;
  l->dataOffset = U32(data + 10);
  const uint8_t* info = data + kFileHeaderSize;
  const uint32_t infoSize = U32(info);
  // The header's own size field may lie: it must fit in the data.
  if (infoSize > size - kFileHeaderSize) return false;
  const bool core = infoSize == kCoreHeaderSize;
  if (!core && infoSize < kInfoHeaderSize) return false;
  int32_t rawHeight;
  uint32_t colours = 0;
  if (core) {
    l->width = U16(info + 4);
    rawHeight = U16(info + 6);
    l->bits = U16(info + 10);
    l->compression = kBiRgb;
  } else {
    l->width = static_cast<int32_t>(U32(info + 4));
    rawHeight = static_cast<int32_t>(U32(info + 8));
    l->bits = U16(info + 14);
    l->compression = U32(info + 16);
    colours = U32(info + 32);
  }
  if (l->width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN) return false;
  l->topDown = rawHeight < 0;
  l->height = l->topDown ? -rawHeight : rawHeight;
  if (l->width > kMaxImageSide || l->height > kMaxImageSide) return false;
  if (!ValidDepth(l->bits, l->compression, core)) return false;
  // Run-length images are always stored bottom-up.
  if (l->topDown && (l->compression == kBiRle8 || l->compression == kBiRle4)) return false;

  size_t paletteOffset = kFileHeaderSize + infoSize;
  if (l->compression == kBiBitfields) {
    if (size < kMasksEnd) return false;
    for (int i = 0; i < 3; ++i) l->masks[i] = U32(data + kMasksOffset + 4 * i);
    paletteOffset = std::max(paletteOffset, kMasksEnd);
  } else if (l->bits == 16) {
    l->masks[0] = 0x7C00, l->masks[1] = 0x03E0, l->masks[2] = 0x001F;
  } else if (l->bits == 32) {
    l->masks[0] = 0x00FF0000, l->masks[1] = 0x0000FF00, l->masks[2] = 0x000000FF;
  }
  Channel check;
  for (uint32_t mask : l->masks)
    if (!check.Set(mask)) return false;

  l->palette.clear();
  if (l->bits <= 8) {
    const uint32_t maxColours = 1u << l->bits;
    if (core || colours == 0 || colours > maxColours) colours = maxColours;
    const size_t entry = core ? 3 : 4;
    if (paletteOffset > size || (size - paletteOffset) / entry < colours) return false;
    l->palette.assign(maxColours, 0);
    for (uint32_t i = 0; i < colours; ++i) {
      const uint8_t* q = data + paletteOffset + entry * i;
      l->palette[i] = MakePixel(q[2], q[1], q[0]);
    }
  }
  return l->dataOffset <= size;
}

bool DecodeBmpPixels(const uint8_t* data, size_t size, const BmpLayout& l,
                     std::vector<Pixel>* pixels) {
  if (l.compression == kBiRle8 || l.compression == kBiRle4) {
    pixels->assign(static_cast<size_t>(l.width) * l.height, 0);
    DecodeRunLengths(data, size, l, pixels);
    return true;
  }
  const size_t stride = ((static_cast<size_t>(l.width) * l.bits + 31) / 32) * 4;
  if (l.dataOffset > size || (size - l.dataOffset) / stride < static_cast<size_t>(l.height))
    return false;
  pixels->resize(static_cast<size_t>(l.width) * l.height);
  DecodeRows(data, l, stride, pixels);
  return true;
}

}  // namespace velotune::skin
