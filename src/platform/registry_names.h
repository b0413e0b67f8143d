// Names and text as the program carries them: UTF-8 in std::string, reaching
// the registry as UTF-16. A UTF-16 unit that stands alone (half a surrogate
// pair, which the registry accepts in names) is carried as its own three-byte
// sequence, so that every name the registry can hold comes back unchanged.
// String data is never converted on its way through: it stays the registry's
// bytes (UTF-16LE for the string types), whatever their size or terminators.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velotune {

std::u16string Utf8ToUtf16(const std::string& text);
// The same into `units` (replacing what it held), keeping its buffer.
void Utf8ToUtf16(const std::string& text, std::u16string* units);
std::string Utf16ToUtf8(const std::u16string& text);
std::string Utf16ToUtf8(const char16_t* text, std::size_t length);

// The name as the registry compares it: each UTF-16 unit upper-cased on its
// own (no unit outside ASCII maps into ASCII; characters beyond the Basic
// Multilingual Plane compare as they are).
std::string FoldName(const std::string& name);
// Whether two key or value names name the same thing.
bool SameName(const std::string& a, const std::string& b);

// REG_SZ data for a text: its UTF-16LE units and a terminating NUL unit.
std::vector<std::uint8_t> StringData(const std::string& text);
// The text of REG_SZ or REG_EXPAND_SZ data, up to the first NUL unit (a last
// odd byte is dropped).
std::string TextOfStringData(const std::vector<std::uint8_t>& data);

// Text in the system's ANSI code page as UTF-8 (NUL bytes kept). Windows
// asks the system; elsewhere the code page is Windows-1252.
std::string AnsiToUtf8(const std::string& text);

// The number of UTF-16 units of a name, as the registry measures its length.
std::size_t NameUnits(const std::string& name);

}  // namespace velotune
