#include "cli/json_text.h"

#include <cstdio>

namespace velotune {

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
    } else {
      out += c;
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
