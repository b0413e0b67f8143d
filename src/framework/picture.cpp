#include "framework/picture.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" {
#include <jpeglib.h>
}

namespace velotune {

namespace {

struct JpegErrorTrap {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void JpegErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrorTrap*>(info->err)->jump, 1);
}
void JpegSilence(j_common_ptr, int) {}
void JpegNoOutput(j_common_ptr) {}

// Kept free of objects with destructors because libjpeg errors longjmp out.
bool DecodeJpegInto(const std::uint8_t* data, std::size_t size, Pixels* out) {
  jpeg_decompress_struct info;
  JpegErrorTrap trap;
  info.err = jpeg_std_error(&trap.base);
  trap.base.error_exit = JpegErrorExit;
  trap.base.emit_message = JpegSilence;
  trap.base.output_message = JpegNoOutput;
  if (setjmp(trap.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  if (info.output_components != 3 || info.output_width == 0 || info.output_height == 0 ||
      info.output_width > 16384 || info.output_height > 16384) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  out->width = static_cast<int>(info.output_width);
  out->height = static_cast<int>(info.output_height);
  out->argb.assign(static_cast<std::size_t>(out->width) * out->height, 0);
  unsigned char* row = static_cast<unsigned char*>(std::malloc(out->width * 3));
  if (!row) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  while (info.output_scanline < info.output_height) {
    int y = static_cast<int>(info.output_scanline);
    JSAMPROW rows[1] = {row};
    if (jpeg_read_scanlines(&info, rows, 1) != 1) break;
    std::uint32_t* dst = &out->argb[static_cast<std::size_t>(y) * out->width];
    for (int x = 0; x < out->width; ++x)
      dst[x] = 0xFF000000u | (row[x * 3] << 16) | (row[x * 3 + 1] << 8) | row[x * 3 + 2];
  }
  std::free(row);
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

std::uint32_t Le32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Le16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

}  // namespace

Pixels DecodeJpeg(const std::uint8_t* data, std::size_t size) {
  Pixels out;
  if (!data || size < 4) return out;
  if (!DecodeJpegInto(data, size, &out)) return Pixels();
  return out;
}

Pixels DecodeBmp(const std::uint8_t* data, std::size_t size) {
  const std::size_t kFileHeader = 14;
  if (!data || size < kFileHeader + 40 || data[0] != 'B' || data[1] != 'M') return Pixels();
  std::uint32_t bitsOffset = Le32(data + 10);
  const std::uint8_t* info = data + kFileHeader;
  std::uint32_t infoSize = Le32(info);
  if (infoSize < 40 || kFileHeader + infoSize > size) return Pixels();
  std::int32_t width = static_cast<std::int32_t>(Le32(info + 4));
  std::int32_t height = static_cast<std::int32_t>(Le32(info + 8));
  int bits = Le16(info + 14);
  std::uint32_t compression = Le32(info + 16);
  std::uint32_t colorsUsed = Le32(info + 32);
  bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return Pixels();
  if (compression != 0 && !(compression == 3 && bits == 32)) return Pixels();
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return Pixels();

  std::uint32_t paletteSize = 0;
  if (bits <= 8) paletteSize = colorsUsed ? colorsUsed : (1u << bits);
  if (paletteSize > 256) return Pixels();
  const std::uint8_t* palette = info + infoSize;
  if (compression == 3) palette += 12;  // the three bit masks
  if (static_cast<std::size_t>(palette - data) + paletteSize * 4 > size) return Pixels();

  std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
  if (bitsOffset > size || stride * height > size - bitsOffset) return Pixels();

  Pixels out;
  out.width = width;
  out.height = height;
  out.argb.resize(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = data + bitsOffset + stride * (topDown ? y : height - 1 - y);
    std::uint32_t* dst = &out.argb[static_cast<std::size_t>(y) * width];
    for (int x = 0; x < width; ++x) {
      std::uint32_t index;
      switch (bits) {
        case 24:
          dst[x] = 0xFF000000u | (row[x * 3 + 2] << 16) | (row[x * 3 + 1] << 8) | row[x * 3];
          continue;
        case 32:
          dst[x] = 0xFF000000u | (row[x * 4 + 2] << 16) | (row[x * 4 + 1] << 8) | row[x * 4];
          continue;
        case 8:
          index = row[x];
          break;
        case 4:
          index = (row[x / 2] >> ((x & 1) ? 0 : 4)) & 0xF;
          break;
        default:
          index = (row[x / 8] >> (7 - (x & 7))) & 1;
          break;
      }
      if (index >= paletteSize) index = 0;
      const std::uint8_t* c = palette + index * 4;
      dst[x] = 0xFF000000u | (c[2] << 16) | (c[1] << 8) | c[0];
    }
  }
  return out;
}

Pixels DecodePictureData(const std::vector<std::uint8_t>& data) {
  if (data.empty()) return Pixels();
  std::size_t nameLength = data[0];
  if (1 + nameLength + 4 > data.size()) return Pixels();
  std::string className(reinterpret_cast<const char*>(data.data()) + 1, nameLength);
  const std::uint8_t* p = data.data() + 1 + nameLength;
  std::uint32_t length = Le32(p);
  p += 4;
  std::size_t available = data.size() - (1 + nameLength + 4);
  if (length > available) return Pixels();
  if (className == "TJPEGImage") return DecodeJpeg(p, length);
  if (className == "TBitmap") return DecodeBmp(p, length);
  return Pixels();
}

}  // namespace velotune
