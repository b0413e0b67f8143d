// The ANSI code page off Windows: Windows-1252.
#include "platform/registry_names.h"

namespace velotune {

namespace {
// Bytes 0x80 to 0x9F; the rest of the upper half is Latin-1.
const char16_t kHighControls[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
}  // namespace

std::string AnsiToUtf8(const std::string& text) {
  std::u16string units;
  units.reserve(text.size());
  for (char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    units += byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char16_t(byte);
  }
  return Utf16ToUtf8(units);
}

}  // namespace velotune
