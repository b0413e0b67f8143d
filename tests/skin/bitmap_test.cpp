#include "skin/bitmap.h"

#include <gtest/gtest.h>

#include <cstring>

#include "skin/bitmap_ops.h"

namespace velotune::skin {
namespace {

using Bytes = std::vector<uint8_t>;

void Put32(Bytes& b, size_t at, uint32_t v) {
  ASSERT_LE(at + 4, b.size());
  std::memcpy(b.data() + at, &v, 4);  // little-endian like the file
}
void Put16(Bytes& b, size_t at, uint16_t v) {
  ASSERT_LE(at + 2, b.size());
  std::memcpy(b.data() + at, &v, 2);
}

// A 3x2 BMP of the given depth; palette entries 0..3 are red, green, blue, white.
Bytes MakeBmp(int bits, bool topDown = false) {
  const int w = 3, h = 2;
  const size_t stride = ((w * bits + 31) / 32) * 4;
  const size_t palette = bits <= 8 ? 4 * 4 : 0;
  const size_t offset = 54 + palette;
  Bytes b(offset + stride * h, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<uint32_t>(b.size()));
  Put32(b, 10, static_cast<uint32_t>(offset));
  Put32(b, 14, 40);
  Put32(b, 18, w);
  Put32(b, 22, static_cast<uint32_t>(topDown ? -h : h));
  Put16(b, 26, 1);
  Put16(b, 28, static_cast<uint16_t>(bits));
  if (bits <= 8) {
    Put32(b, 46, 4);
    const uint8_t pal[16] = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
    std::memcpy(&b[54], pal, 16);
  }
  // Logical rows (top first): [red, green, blue], [white, red, green].
  const int index[2][3] = {{0, 1, 2}, {3, 0, 1}};
  const uint8_t bgr[4][3] = {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {255, 255, 255}};
  for (int y = 0; y < h; ++y) {
    const size_t row = offset + stride * static_cast<size_t>(topDown ? y : h - 1 - y);
    for (int x = 0; x < w; ++x) {
      const int i = index[y][x];
      if (bits >= 24) {
        std::memcpy(&b[row + x * (bits / 8)], bgr[i], 3);
      } else {
        const int perByte = 8 / bits;
        b[row + x / perByte] |= static_cast<uint8_t>(i << (8 - bits * (x % perByte + 1)));
      }
    }
  }
  return b;
}

void ExpectPicture(const Bitmap& bmp, const std::string& what) {
  ASSERT_EQ(bmp.Width(), 3) << what;
  ASSERT_EQ(bmp.Height(), 2) << what;
  EXPECT_EQ(bmp.At(0, 0), MakePixel(255, 0, 0)) << what;
  EXPECT_EQ(bmp.At(2, 0), MakePixel(0, 0, 255)) << what;
  EXPECT_EQ(bmp.At(0, 1), MakePixel(255, 255, 255)) << what;
  EXPECT_EQ(bmp.At(2, 1), MakePixel(0, 255, 0)) << what;
}

TEST(BmpReader, ReadsEveryDepth) {
  for (int bits : {4, 8, 24, 32}) {
    Bitmap bmp;
    ASSERT_TRUE(bmp.LoadFromBmp(MakeBmp(bits))) << bits;
    ExpectPicture(bmp, std::to_string(bits) + " bits");
    EXPECT_EQ(bmp.BitsPerPixel(), bits <= 8 ? 8 : bits);
  }
  Bitmap topDown;
  ASSERT_TRUE(topDown.LoadFromBmp(MakeBmp(24, true)));
  ExpectPicture(topDown, "top-down");
}

TEST(BmpReader, RoundTripsThroughItsWriter) {
  Bitmap original;
  ASSERT_TRUE(original.LoadFromBmp(MakeBmp(24)));
  for (int bits : {24, 32}) {
    original.SetBitsPerPixel(bits);
    Bitmap copy;
    ASSERT_TRUE(copy.LoadFromBmp(original.SaveToBmp()));
    EXPECT_EQ(copy, original);
    EXPECT_EQ(copy.BitsPerPixel(), bits);
  }
}

TEST(BmpReader, RejectsDamagedFiles) {
  const Bytes good = MakeBmp(24);
  auto with = [&](auto change) {
    Bytes b = good;
    change(b);
    return b;
  };
  const std::vector<std::pair<const char*, Bytes>> cases = {
      {"empty", {}},
      {"signature", with([](Bytes& b) { b[0] = 'X'; })},
      {"file header only", Bytes(good.begin(), good.begin() + 14)},
      {"pixels cut short", Bytes(good.begin(), good.end() - 1)},
      {"offset past the end", with([](Bytes& b) { Put32(b, 10, 0xFFFFFFF0u); })},
      {"header size past the end", with([](Bytes& b) { Put32(b, 14, 0x7FFFFFFF); })},
      {"header size too small", with([](Bytes& b) { Put32(b, 14, 12); })},
      {"zero width", with([](Bytes& b) { Put32(b, 18, 0); })},
      {"negative width", with([](Bytes& b) { Put32(b, 18, 0xFFFFFFFFu); })},
      {"zero height", with([](Bytes& b) { Put32(b, 22, 0); })},
      {"most negative height", with([](Bytes& b) { Put32(b, 22, 0x80000000u); })},
      {"huge size", with([](Bytes& b) { Put32(b, 18, 100000); })},
      {"area too large", with([](Bytes& b) { Put32(b, 18, 16000), Put32(b, 22, 16000); })},
      {"odd depth", with([](Bytes& b) { Put16(b, 28, 16); })},
      {"run-length compression", with([](Bytes& b) { Put32(b, 30, 1); })},
      {"palette past the end", with([](Bytes& b) { Put16(b, 28, 8); })},
  };
  for (const auto& [name, bytes] : cases) {
    Bitmap bmp(2, 2);
    EXPECT_FALSE(bmp.LoadFromBmp(bytes)) << name;
    EXPECT_TRUE(bmp.Empty()) << name;
  }
  Bitmap bmp;
  EXPECT_FALSE(bmp.LoadFromBmp(nullptr, 100));
}

TEST(BmpReader, PaletteCountAboveTheDepthIsClamped) {
  Bytes b = MakeBmp(8);
  Put32(b, 46, 100000);
  Bitmap bmp;
  // 256 entries do not fit this file: refused rather than read past the end.
  EXPECT_FALSE(bmp.LoadFromBmp(b));
}

TEST(BitmapOps, NineGridKeepsCornersAndStretchesTheRest) {
  // A 6x6 source: 2-pixel margins coloured by region.
  Bitmap src(6, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x)
      src.Set(x, y, MakePixel(x < 2 ? 0 : x < 4 ? 1 : 2, y < 2 ? 0 : y < 4 ? 1 : 2, 0));
  const Bitmap out = NineGrid(10, 8, src, {2, 2, 2, 2}, false, false, 1, 1);
  EXPECT_EQ(out.At(0, 0), MakePixel(0, 0, 0));
  EXPECT_EQ(out.At(9, 7), MakePixel(2, 2, 0));
  EXPECT_EQ(out.At(5, 4), MakePixel(1, 1, 0));
  EXPECT_EQ(out.At(7, 0), MakePixel(1, 0, 0));
  EXPECT_EQ(out.At(8, 0), MakePixel(2, 0, 0));
  // Too small for the margins: they are dropped and the whole cell stretches.
  const Bitmap small = NineGrid(3, 3, src, {2, 2, 2, 2}, false, false, 1, 1);
  EXPECT_EQ(small.At(1, 1), MakePixel(1, 1, 0));
}

TEST(BitmapOps, FrameRectStaysInsideTheBitmap) {
  const Bitmap strip(100, 20);
  const Rect third = FrameRect(strip, 5, 3, false);
  EXPECT_EQ(third.left, 40);
  EXPECT_EQ(third.right, 60);
  const Rect clamped = FrameRect(strip, 0, 9, true);
  EXPECT_EQ(clamped.bottom, 20);
}

}  // namespace
}  // namespace velotune::skin
