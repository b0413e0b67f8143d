#include "cli/json_text.h"

#include <cstdio>

namespace velotune {

namespace {

// Windows-1252 bytes 0x80 to 0x9F; the rest of the upper half is Latin-1.
const unsigned short kHighControls[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void AppendUtf8(unsigned code, std::string* out) {
  if (code < 0x80) {
    *out += static_cast<char>(code);
  } else if (code < 0x800) {
    *out += static_cast<char>(0xC0 | (code >> 6));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    *out += static_cast<char>(0xE0 | (code >> 12));
    *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    const unsigned byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      out += escape;
    } else if (byte >= 0x80 && byte < 0xA0) {
      AppendUtf8(kHighControls[byte - 0x80], &out);
    } else {
      AppendUtf8(byte, &out);
    }
  }
  return out + "\"";
}

std::string JsonNumber(long long number) {
  return std::to_string(number);
}

std::string JsonBool(bool value) {
  return value ? "true" : "false";
}

std::string JsonObject(const JsonFields& fields) {
  std::string out = "{";
  for (std::size_t i = 0; i < fields.size(); ++i)
    out += (i ? "," : "") + JsonString(fields[i].first) + ":" + fields[i].second;
  return out + "}";
}

std::string JsonArray(const std::vector<std::string>& items) {
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + items[i];
  return out + "]";
}

}  // namespace velotune
