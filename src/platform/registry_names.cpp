#include "platform/registry_names.h"

#include <algorithm>
#include <iterator>

namespace velotune {

namespace {

struct CaseRun {
  char16_t first, last;
  int step, delta;
};
const CaseRun kCaseRuns[] = {
#include "platform/registry_case_table.inc"
};

char16_t UpperUnit(char16_t unit) {
  if (unit < 0x80) return unit >= 'a' && unit <= 'z' ? static_cast<char16_t>(unit - 32) : unit;
  // The last run that starts at or before the unit.
  const CaseRun* run = std::upper_bound(std::begin(kCaseRuns), std::end(kCaseRuns), unit,
                                        [](char16_t u, const CaseRun& r) { return u < r.first; });
  if (run == std::begin(kCaseRuns)) return unit;
  --run;
  if (unit > run->last || (unit - run->first) % run->step != 0) return unit;
  return static_cast<char16_t>(unit + run->delta);
}

void AppendUtf8(char32_t code, std::string* out) {
  if (code < 0x80) {
    *out += static_cast<char>(code);
  } else if (code < 0x800) {
    *out += static_cast<char>(0xC0 | (code >> 6));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    *out += static_cast<char>(0xE0 | (code >> 12));
    *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | (code >> 18));
    *out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::u16string Utf8ToUtf16(const std::string& text) {
  std::u16string out;
  Utf8ToUtf16(text, &out);
  return out;
}

void Utf8ToUtf16(const std::string& text, std::u16string* units) {
  std::u16string& out = *units;
  out.clear();
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    char32_t code = extra == 3 ? lead & 0x07 : extra == 2 ? lead & 0x0F : lead & 0x1F;
    if (extra == 0) code = lead;
    bool valid = extra >= 0 && i + extra < text.size() + (extra ? 0 : 1);
    for (int k = 1; valid && k <= extra; ++k) {
      const unsigned char next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) valid = false;
      code = (code << 6) | (next & 0x3F);
    }
    if (!valid || code > 0x10FFFF) {
      // Not UTF-8 at all: the byte stands for itself (Latin-1), so nothing is dropped.
      out += static_cast<char16_t>(lead);
      ++i;
      continue;
    }
    i += extra + 1;
    if (code >= 0x10000) {
      code -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (code >> 10));
      out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      out += static_cast<char16_t>(code);
    }
  }
}

std::string Utf16ToUtf8(const char16_t* text, std::size_t length) {
  std::string out;
  out.reserve(length);
  for (std::size_t i = 0; i < length; ++i) {
    char32_t code = text[i];
    if (code >= 0xD800 && code < 0xDC00 && i + 1 < length && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    AppendUtf8(code, &out);
  }
  return out;
}

std::string Utf16ToUtf8(const std::u16string& text) {
  return Utf16ToUtf8(text.data(), text.size());
}

std::string FoldName(const std::string& name) {
  bool ascii = true;
  for (char c : name)
    if (static_cast<unsigned char>(c) >= 0x80) ascii = false;
  if (ascii) {
    std::string out = name;
    for (char& c : out)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return out;
  }
  std::u16string units = Utf8ToUtf16(name);
  for (char16_t& u : units) u = UpperUnit(u);
  return Utf16ToUtf8(units);
}

bool SameName(const std::string& a, const std::string& b) {
  return FoldName(a) == FoldName(b);
}

std::vector<std::uint8_t> StringData(const std::string& text) {
  std::vector<std::uint8_t> data;
  data.reserve(text.size() * 2 + 2);
  const bool ascii = std::all_of(text.begin(), text.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) {
    for (char c : text) {
      data.push_back(static_cast<std::uint8_t>(c));
      data.push_back(0);
    }
  } else {
    for (char16_t u : Utf8ToUtf16(text)) {
      data.push_back(static_cast<std::uint8_t>(u & 0xFF));
      data.push_back(static_cast<std::uint8_t>(u >> 8));
    }
  }
  data.push_back(0);
  data.push_back(0);
  return data;
}

std::string TextOfStringData(const std::vector<std::uint8_t>& data) {
  std::u16string units;
  for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
    const char16_t u = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    if (u == 0) break;
    units += u;
  }
  return Utf16ToUtf8(units);
}

std::size_t NameUnits(const std::string& name) {
  return Utf8ToUtf16(name).size();
}

}  // namespace velotune
