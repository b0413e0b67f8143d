#include "framework/picture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

namespace velotune {
namespace {

// A 16 x 8 JPEG: left half red, right half blue.
std::vector<std::uint8_t> MakeJpeg() {
  jpeg_compress_struct info;
  jpeg_error_mgr err;
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = 16;
  info.image_height = 8;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(16 * 3);
  for (int x = 0; x < 16; ++x) {
    row[x * 3] = x < 8 ? 255 : 0;
    row[x * 3 + 1] = 0;
    row[x * 3 + 2] = x < 8 ? 0 : 255;
  }
  while (info.next_scanline < info.image_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<std::uint8_t> out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

std::vector<std::uint8_t> Wrap(const std::string& className, const std::vector<std::uint8_t>& bytes,
                               std::uint32_t claimedLength) {
  std::vector<std::uint8_t> out;
  out.push_back(static_cast<std::uint8_t>(className.size()));
  out.insert(out.end(), className.begin(), className.end());
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(claimedLength >> (8 * i)));
  out.insert(out.end(), bytes.begin(), bytes.end());
  return out;
}

void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
  for (int i = 0; i < 4; ++i) v[at + i] = static_cast<std::uint8_t>(x >> (8 * i));
}

// A 3 x 2 24-bit bottom-up BMP; the top row is white, the bottom row green.
std::vector<std::uint8_t> MakeBmp24() {
  const std::size_t stride = 12;  // 9 bytes padded to 12
  std::vector<std::uint8_t> v(14 + 40 + stride * 2, 0);
  v[0] = 'B';
  v[1] = 'M';
  Put32(v, 2, static_cast<std::uint32_t>(v.size()));
  Put32(v, 10, 54);
  Put32(v, 14, 40);
  Put32(v, 18, 3);
  Put32(v, 22, 2);
  v[26] = 1;
  v[28] = 24;
  for (int x = 0; x < 3; ++x) {
    v[54 + x * 3 + 1] = 0x80;  // first stored row is the bottom one: green
    v[54 + stride + x * 3] = v[54 + stride + x * 3 + 1] = v[54 + stride + x * 3 + 2] = 0xFF;
  }
  return v;
}

TEST(Picture, DecodesJpegPictureData) {
  Pixels p = DecodePictureData(Wrap("TJPEGImage", MakeJpeg(), 0) /* length fixed below */);
  EXPECT_TRUE(p.Empty());  // a zero length holds no picture
  std::vector<std::uint8_t> jpeg = MakeJpeg();
  p = DecodePictureData(Wrap("TJPEGImage", jpeg, static_cast<std::uint32_t>(jpeg.size())));
  ASSERT_EQ(p.width, 16);
  ASSERT_EQ(p.height, 8);
  std::uint32_t left = p.At(2, 4), right = p.At(13, 4);
  EXPECT_GT((left >> 16) & 0xFF, 200u);
  EXPECT_LT(left & 0xFF, 60u);
  EXPECT_GT(right & 0xFF, 200u);
  EXPECT_LT((right >> 16) & 0xFF, 60u);
}

TEST(Picture, DecodesBitmapPictureData) {
  std::vector<std::uint8_t> bmp = MakeBmp24();
  Pixels p = DecodePictureData(Wrap("TBitmap", bmp, static_cast<std::uint32_t>(bmp.size())));
  ASSERT_EQ(p.width, 3);
  ASSERT_EQ(p.height, 2);
  EXPECT_EQ(p.At(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(p.At(2, 1), 0xFF008000u);
}

TEST(Picture, CorruptDataGivesAnEmptyPicture) {
  std::vector<std::uint8_t> jpeg = MakeJpeg();
  std::vector<std::uint8_t> bmp = MakeBmp24();
  std::vector<std::uint8_t> halfJpeg(jpeg.begin(), jpeg.begin() + jpeg.size() / 2);
  std::vector<std::uint8_t> garbage(200, 0x5A);
  std::vector<std::uint8_t> hugeBmp = bmp;
  Put32(hugeBmp, 18, 100000);
  std::vector<std::uint8_t> shortBmp(bmp.begin(), bmp.end() - 4);
  std::vector<std::uint8_t> paletteBmp = bmp;
  paletteBmp[28] = 8;
  Put32(paletteBmp, 46, 100000);  // more colours than a palette can hold
  const std::vector<std::uint8_t> cases[] = {
      {},
      {5, 'T', 'B'},
      Wrap("TJPEGImage", jpeg, static_cast<std::uint32_t>(jpeg.size() + 1)),  // lying length
      Wrap("TJPEGImage", garbage, static_cast<std::uint32_t>(garbage.size())),
      Wrap("TMetafile", bmp, static_cast<std::uint32_t>(bmp.size())),
      Wrap("TBitmap", hugeBmp, static_cast<std::uint32_t>(hugeBmp.size())),
      Wrap("TBitmap", shortBmp, static_cast<std::uint32_t>(shortBmp.size())),
      Wrap("TBitmap", paletteBmp, static_cast<std::uint32_t>(paletteBmp.size())),
      Wrap("TBitmap", garbage, static_cast<std::uint32_t>(garbage.size())),
  };
  for (const auto& data : cases) EXPECT_TRUE(DecodePictureData(data).Empty());

  // A JPEG cut short still decodes what it has, or nothing; never a crash.
  for (std::size_t cut = 0; cut < jpeg.size(); cut += 37) {
    Pixels p = DecodeJpeg(jpeg.data(), cut);
    if (!p.Empty()) {
      EXPECT_EQ(p.argb.size(), static_cast<std::size_t>(p.width) * p.height);
    }
  }
  (void)halfJpeg;
}

}  // namespace
}  // namespace velotune
