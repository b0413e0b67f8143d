#include "skin/data/bitmap.h"

#include <gtest/gtest.h>

#include <cstring>

#include "skin/data/bitmap_ops.h"
#include "skin_files.h"

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

// The 5x3 picture of tests/skin/bmp, top row first.
constexpr Pixel kRed = MakePixel(255, 0, 0), kLime = MakePixel(0, 255, 0),
                kBlue = MakePixel(0, 0, 255), kWhite = MakePixel(255, 255, 255),
                kBlack = MakePixel(0, 0, 0), kYellow = MakePixel(255, 255, 0),
                kCyan = MakePixel(0, 255, 255);
constexpr Pixel kPicture[3][5] = {{kRed, kLime, kBlue, kWhite, kBlack},
                                  {kYellow, kCyan, kWhite, kMagentaPixel, kBlack},
                                  {kWhite, kWhite, kBlue, kBlack, kMagentaPixel}};

Bytes Fixture(const std::string& name) {
  return testing::ReadFileBytes(std::string(VELOTUNE_BMP_FIXTURES) + "/" + name);
}

// The same file with its info header cut to newSize bytes; with masksAfter,
// the header's colour masks follow it, as they do after a 40-byte header.
Bytes Reheader(const Bytes& file, uint32_t newSize, bool masksAfter) {
  uint32_t oldSize, offset;
  std::memcpy(&oldSize, &file[14], 4);
  std::memcpy(&offset, &file[10], 4);
  Bytes out(file.begin(), file.begin() + 14 + newSize);
  if (masksAfter) out.insert(out.end(), file.begin() + 54, file.begin() + 66);
  out.insert(out.end(), file.begin() + 14 + oldSize, file.end());
  Put32(out, 14, newSize);
  Put32(out, 10, static_cast<uint32_t>(offset - (file.size() - out.size())));
  Put32(out, 2, static_cast<uint32_t>(out.size()));
  return out;
}

// Bottom-up rows of a plain BMP turned top-down, the height negated.
Bytes TopDown(const Bytes& file, size_t stride, int height) {
  uint32_t offset;
  std::memcpy(&offset, &file[10], 4);
  Bytes out = file;
  for (int y = 0; y < height; ++y)
    std::copy_n(file.begin() + offset + stride * y, stride,
                out.begin() + offset + stride * (height - 1 - y));
  Put32(out, 22, static_cast<uint32_t>(-height));
  return out;
}

// 4-bit runs, bottom row first, using every kind of escape.
Bytes RunLength4() {
  Bytes b(54, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 14, 40);
  Put32(b, 18, 5);
  Put32(b, 22, 3);
  Put16(b, 26, 1);
  Put16(b, 28, 4);
  Put32(b, 30, 2);
  Put32(b, 46, 8);
  // black, red, lime, blue, white, yellow, cyan, magenta
  for (Pixel p : {kBlack, kRed, kLime, kBlue, kWhite, kYellow, kCyan, kMagentaPixel})
    for (int shift : {0, 8, 16, 24}) b.push_back(static_cast<uint8_t>(p >> shift));
  Put32(b, 10, static_cast<uint32_t>(b.size()));
  const uint8_t runs[] = {
      2, 0x44, 0,    3,    0x30, 0x70,
      0, 0,  // white white, literal blue black magenta, end of line
      0, 4,    0x56, 0x47, 0,    2,
      1, 0,                          // literal yellow cyan white magenta, jump one right
      0, 0,                          // end of line
      2, 0x12, 2,    0x34, 0,    1,  // red lime, blue white, end of picture
  };
  b.insert(b.end(), std::begin(runs), std::end(runs));
  Put32(b, 2, static_cast<uint32_t>(b.size()));
  return b;
}

TEST(BmpReader, ReadsEveryFormatOfTheSystemLoader) {
  const Bytes rgb555 = Fixture("rgb555.bmp");
  Bytes plain16 = rgb555;  // 5-5-5 without masks
  Put32(plain16, 30, 0);
  const std::vector<std::pair<std::string, Bytes>> files = {
      {"24 bits", Fixture("rgb24.bmp")},
      {"8-bit runs", Fixture("rle8.bmp")},
      {"4-bit runs", RunLength4()},
      {"core header, 4 bits", Fixture("os2_8.bmp")},
      {"core header, 24 bits", Fixture("os2_24.bmp")},
      {"16 bits 5-5-5, masks", rgb555},
      {"16 bits 5-5-5, no masks", plain16},
      {"16 bits 5-6-5, masks", Fixture("rgb565.bmp")},
      {"16 bits 5-6-5, masks after a 40-byte header", Reheader(Fixture("rgb565.bmp"), 40, true)},
      {"32 bits with alpha mask", Fixture("argb32.bmp")},
      {"fifth-version header", Fixture("v5.bmp")},
      {"fourth-version header", Reheader(Fixture("v5.bmp"), 108, false)},
      {"top-down", TopDown(Fixture("rgb24.bmp"), 16, 3)},
  };
  for (const auto& [what, file] : files) {
    Bitmap bmp;
    ASSERT_TRUE(bmp.LoadFromBmp(file)) << what;
    ASSERT_EQ(bmp.Width(), 5) << what;
    ASSERT_EQ(bmp.Height(), 3) << what;
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x)
        EXPECT_EQ(bmp.At(x, y), kPicture[y][x]) << what << " at " << x << "," << y;
  }
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
      {"odd depth", with([](Bytes& b) { Put16(b, 28, 7); })},
      {"run-length compression of 24 bits", with([](Bytes& b) { Put32(b, 30, 1); })},
      {"unknown compression", with([](Bytes& b) { Put32(b, 30, 9); })},
      {"header between core and info", with([](Bytes& b) { Put32(b, 14, 20); })},
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

// A 1x1 32-bit bit-field picture whose info header is longer than 40 bytes
// but too short to hold the masks: they lie after the header, so the file
// must be long enough for them too.
TEST(BmpReader, BitFieldMasksAreReadOnlyInsideTheData) {
  for (uint32_t infoSize : {41u, 44u, 47u}) {
    const size_t offset = 14 + infoSize;
    Bytes b(offset + 4, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 10, static_cast<uint32_t>(offset));
    Put32(b, 14, infoSize);
    Put32(b, 18, 1);
    Put32(b, 22, 1);
    Put16(b, 26, 1);
    Put16(b, 28, 32);
    Put32(b, 30, 3);
    // The standard masks written where the reader looks, partly beyond the
    // size the reader is given.
    b.resize(14 + 40 + 12 + 4, 0);
    Put32(b, 54, 0x00FF0000);
    Put32(b, 58, 0x0000FF00);
    Put32(b, 62, 0x000000FF);
    Bitmap bmp;
    EXPECT_FALSE(bmp.LoadFromBmp(b.data(), offset + 4)) << infoSize;
    // Given the whole buffer, the masks are there and the picture loads.
    Put32(b, 10, 66);
    EXPECT_TRUE(bmp.LoadFromBmp(b)) << infoSize;
  }
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
  // So are margins whose sum leaves the integer range, and negative ones.
  const Bitmap plain = NineGrid(10, 8, src, {}, false, false, 1, 1);
  EXPECT_EQ(NineGrid(10, 8, src, {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX}, false, false, 1, 1),
            plain);
  EXPECT_EQ(NineGrid(10, 8, src, {-3, INT32_MIN, 0, 0}, false, false, 1, 1), plain);
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
