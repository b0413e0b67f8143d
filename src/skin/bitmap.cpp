#include "skin/bitmap.h"

#include <cstring>

namespace velotune::skin {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;

uint32_t U32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t U16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void PutU16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

}  // namespace

Bitmap::Bitmap(int width, int height, int bitsPerPixel, Pixel fill)
    : width_(width > 0 && height > 0 ? width : 0),
      height_(width > 0 && height > 0 ? height : 0),
      bits_(bitsPerPixel),
      pixels_(static_cast<size_t>(width_) * height_, fill) {}

void Bitmap::Clear() {
  width_ = height_ = 0;
  pixels_.clear();
}

bool Bitmap::LoadFromBmp(const uint8_t* data, size_t size) {
  Clear();
  if (data == nullptr || size < kFileHeaderSize + 40) return false;
  if (data[0] != 'B' || data[1] != 'M') return false;
  const uint32_t dataOffset = U32(data + 10);
  const uint8_t* info = data + kFileHeaderSize;
  const uint32_t infoSize = U32(info);
  // The header's own size field may lie: it must fit before the pixels and the end.
  if (infoSize < 40 || infoSize > size - kFileHeaderSize) return false;
  const int32_t width = static_cast<int32_t>(U32(info + 4));
  const int32_t rawHeight = static_cast<int32_t>(U32(info + 8));
  const int bits = U16(info + 14);
  const uint32_t compression = U32(info + 16);
  uint32_t colours = U32(info + 32);
  if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN) return false;
  const bool topDown = rawHeight < 0;
  const int32_t height = topDown ? -rawHeight : rawHeight;
  if (width > kMaxSide || height > kMaxSide || static_cast<int64_t>(width) * height > kMaxPixels)
    return false;

  size_t paletteOffset = kFileHeaderSize + infoSize;
  if (compression == kBiBitfields) {
    if (bits != 32) return false;
    // Only the usual 8-8-8 layout; the masks follow a 40-byte header.
    if (paletteOffset + (infoSize == 40 ? 12 : 0) > size) return false;
    const uint8_t* masks = info + 40;
    if (U32(masks) != 0x00FF0000 || U32(masks + 4) != 0x0000FF00 || U32(masks + 8) != 0x000000FF)
      return false;
    if (infoSize == 40) paletteOffset += 12;
  } else if (compression != kBiRgb) {
    return false;
  }
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;

  std::vector<Pixel> palette;
  if (bits <= 8) {
    const uint32_t maxColours = 1u << bits;
    if (colours == 0 || colours > maxColours) colours = maxColours;
    if (paletteOffset > size || (size - paletteOffset) / 4 < colours) return false;
    palette.resize(maxColours, 0);
    for (uint32_t i = 0; i < colours; ++i) {
      const uint8_t* q = data + paletteOffset + 4 * i;
      palette[i] = MakePixel(q[2], q[1], q[0]);
    }
  }

  const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
  if (dataOffset > size || (size - dataOffset) / stride < static_cast<size_t>(height)) return false;

  width_ = width;
  height_ = height;
  bits_ = bits <= 8 ? 8 : bits;
  pixels_.assign(static_cast<size_t>(width) * height, 0);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* src =
        data + dataOffset + stride * static_cast<size_t>(topDown ? y : height - 1 - y);
    Pixel* dst = Row(y);
    for (int32_t x = 0; x < width; ++x) {
      switch (bits) {
        case 32:
        case 24: {
          const uint8_t* q = src + static_cast<size_t>(x) * (bits / 8);
          dst[x] = MakePixel(q[2], q[1], q[0]);
          break;
        }
        default: {
          const int perByte = 8 / bits;
          const int shift = 8 - bits * (x % perByte + 1);
          dst[x] = palette[(src[x / perByte] >> shift) & ((1 << bits) - 1)];
        }
      }
    }
  }
  return true;
}

std::vector<uint8_t> Bitmap::SaveToBmp() const {
  const int bits = bits_ == 32 ? 32 : 24;
  const size_t stride = ((static_cast<size_t>(width_) * bits + 31) / 32) * 4;
  const uint32_t imageSize = static_cast<uint32_t>(stride * height_);
  std::vector<uint8_t> out;
  out.reserve(54 + imageSize);
  out.push_back('B');
  out.push_back('M');
  PutU32(out, 54 + imageSize);
  PutU32(out, 0);
  PutU32(out, 54);
  PutU32(out, 40);
  PutU32(out, static_cast<uint32_t>(width_));
  PutU32(out, static_cast<uint32_t>(height_));
  PutU16(out, 1);
  PutU16(out, static_cast<uint16_t>(bits));
  PutU32(out, kBiRgb);
  PutU32(out, imageSize);
  PutU32(out, 2835);
  PutU32(out, 2835);
  PutU32(out, 0);
  PutU32(out, 0);
  for (int y = height_ - 1; y >= 0; --y) {
    const size_t start = out.size();
    for (int x = 0; x < width_; ++x) {
      const Pixel p = At(x, y);
      out.push_back(static_cast<uint8_t>(PixelBlue(p)));
      out.push_back(static_cast<uint8_t>(PixelGreen(p)));
      out.push_back(static_cast<uint8_t>(PixelRed(p)));
      if (bits == 32) out.push_back(0);
    }
    out.resize(start + stride, 0);
  }
  return out;
}

}  // namespace velotune::skin
