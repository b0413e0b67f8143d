// A portable top-down bitmap with 32-bit pixels laid out like a Windows DIB
// (bytes B, G, R, unused), so the Win32 side can copy it into a DIB section.
// Copies share their pixels until one of them is written to, so the skin's
// objects can hold the same picture without a copy each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "skin/data/pixel.h"

namespace velotune::skin {

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

class Bitmap {
 public:
  // Largest accepted side and area; anything bigger is treated as damaged data.
  static constexpr int kMaxSide = kMaxImageSide;
  static constexpr int64_t kMaxPixels = kMaxImagePixels;

  Bitmap() = default;
  // A bitmap of the given size and source depth, every pixel set to fill.
  Bitmap(int width, int height, int bitsPerPixel = 24, Pixel fill = 0);

  // Reads a Windows BMP file in any format the system's own loader reads (see
  // bmp_reader.h). On damaged or unsupported data, or a picture of more than
  // maxPixels pixels, the bitmap is left empty and false is returned.
  bool LoadFromBmp(const uint8_t* data, size_t size, int64_t maxPixels = kMaxPixels);
  bool LoadFromBmp(const std::vector<uint8_t>& bytes, int64_t maxPixels = kMaxPixels) {
    return LoadFromBmp(bytes.data(), bytes.size(), maxPixels);
  }
  // Writes an uncompressed 24- or 32-bit BMP (by BitsPerPixel(); below 32
  // bits it writes 24).
  std::vector<uint8_t> SaveToBmp() const;

  void Clear();
  bool Empty() const { return width_ == 0 || height_ == 0; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The depth of the data the bitmap came from (8 for palette images, else
  // 16, 24 or 32).
  int BitsPerPixel() const { return bits_; }
  void SetBitsPerPixel(int bits) { bits_ = bits; }

  Pixel At(int x, int y) const { return (*pixels_)[static_cast<size_t>(y) * width_ + x]; }
  void Set(int x, int y, Pixel p) { Own()[static_cast<size_t>(y) * width_ + x] = p; }
  Pixel* Row(int y) { return Own().data() + static_cast<size_t>(y) * width_; }
  const Pixel* Row(int y) const { return pixels_->data() + static_cast<size_t>(y) * width_; }
  const std::vector<Pixel>& Pixels() const { return *pixels_; }
  // Whether two bitmaps hold the very same pixel store (a copy not yet written).
  bool SharesPixelsWith(const Bitmap& other) const { return pixels_ == other.pixels_; }

  bool operator==(const Bitmap& other) const {
    return width_ == other.width_ && height_ == other.height_ &&
           (pixels_ == other.pixels_ || *pixels_ == *other.pixels_);
  }

 private:
  static std::shared_ptr<std::vector<Pixel>> EmptyStore();
  // The pixel store, written only through Own(); never null.
  std::vector<Pixel>& Own();

  int width_ = 0;
  int height_ = 0;
  int bits_ = 24;
  std::shared_ptr<std::vector<Pixel>> pixels_ = EmptyStore();
};

}  // namespace velotune::skin
