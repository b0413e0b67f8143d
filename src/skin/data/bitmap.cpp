#include "skin/data/bitmap.h"

#include <algorithm>
#include <cstring>

#include "skin/data/bmp_reader.h"

namespace velotune::skin {

namespace {

constexpr uint32_t kBiRgb = 0;

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
      pixels_(std::make_shared<std::vector<Pixel>>(static_cast<size_t>(width_) * height_, fill)) {}

std::shared_ptr<std::vector<Pixel>> Bitmap::EmptyStore() {
  static const auto empty = std::make_shared<std::vector<Pixel>>();
  return empty;
}

std::vector<Pixel>& Bitmap::Own() {
  if (pixels_.use_count() > 1) pixels_ = std::make_shared<std::vector<Pixel>>(*pixels_);
  return *pixels_;
}

void Bitmap::Clear() {
  width_ = height_ = 0;
  pixels_ = EmptyStore();
}

bool Bitmap::LoadFromBmp(const uint8_t* data, size_t size, int64_t maxPixels) {
  Clear();
  BmpLayout layout;
  if (!ReadBmpLayout(data, size, &layout)) return false;
  if (static_cast<int64_t>(layout.width) * layout.height > std::min(maxPixels, kMaxPixels))
    return false;
  std::vector<Pixel> pixels;
  if (!DecodeBmpPixels(data, size, layout, &pixels)) return false;
  width_ = layout.width;
  height_ = layout.height;
  bits_ = layout.bits <= 8 ? 8 : layout.bits;
  pixels_ = std::make_shared<std::vector<Pixel>>(std::move(pixels));
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
