#include "skin/quick_ini.h"

#include <cassert>
#include <stdexcept>

#include "skin/skin_reader.h"

namespace velotune::skin {

namespace {

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && LowerAscii(a) == LowerAscii(b);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ParseHex(const std::string& digits, uint32_t* value) {
  if (digits.empty() || digits.size() > 8) return false;
  uint32_t v = 0;
  for (char c : digits) {
    const int d = HexDigit(c);
    if (d < 0) return false;
    v = (v << 4) | static_cast<uint32_t>(d);
  }
  *value = v;
  return true;
}

}  // namespace

std::string TrimText(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return text.substr(begin, end - begin);
}

bool ParseInteger(const std::string& text, int* value) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i < text.size() && text[i] == '$') {
    uint32_t v;
    if (!ParseHex(text.substr(i + 1), &v)) return false;
    *value = static_cast<int>(negative ? 0u - v : v);
    return true;
  }
  if (i == text.size()) return false;
  int64_t v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
    if (v > 2147483648LL) return false;
  }
  if (negative) v = -v;
  if (v > INT32_MAX || v < INT32_MIN) return false;
  *value = static_cast<int>(v);
  return true;
}

void TQuickIni::LoadFromText(const std::string& text) {
  lines_.clear();
  sections_.clear();
  const std::string body = text.substr(0, text.find('\0'));
  for (const std::string& raw : SplitLines(body)) {
    std::string line = TrimText(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']')
      sections_.push_back({line, static_cast<int>(lines_.size())});
    lines_.push_back(std::move(line));
  }
}

void TQuickIni::LoadFromStream(const std::vector<uint8_t>* bytes, size_t position) {
  if (bytes == nullptr) return;
  if (position > bytes->size()) position = bytes->size();
  LoadFromText(std::string(bytes->begin() + static_cast<std::ptrdiff_t>(position), bytes->end()));
}

void TQuickIni::ReadSections(std::vector<std::string>* names) const {
  if (names == nullptr) throw std::logic_error("The parameter Strings is unassigned!");
  names->clear();
  for (const Header& h : sections_) names->push_back(TrimText(h.text.substr(1, h.text.size() - 2)));
}

int TQuickIni::FindSection(const std::string& section) const {
  const std::string wanted = "[" + section + "]";
  for (const Header& h : sections_)
    if (EqualsIgnoringCase(h.text, wanted)) return h.line;
  return -1;
}

std::string TQuickIni::ReadString(const std::string& section, const std::string& key,
                                  const std::string& fallback) const {
  const int header = FindSection(section);
  if (header < 0) return fallback;
  const std::string wanted = LowerAscii(key);
  for (size_t i = static_cast<size_t>(header) + 1; i < lines_.size(); ++i) {
    const std::string& line = lines_[i];
    if (line.front() == '[' && line.back() == ']') break;
    const size_t eq = line.find('=');
    const std::string lineKey =
        eq == std::string::npos ? std::string() : LowerAscii(TrimText(line.substr(0, eq)));
    if (lineKey != wanted) continue;
    const std::string value = TrimText(line.substr(eq + 1));
    return value.empty() ? fallback : value;
  }
  return fallback;
}

int TQuickIni::ReadInteger(const std::string& section, const std::string& key, int fallback) const {
  const std::string text = ReadString(section, key, "");
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    uint32_t v;
    return ParseHex(text.substr(2), &v) ? static_cast<int>(v) : fallback;
  }
  int value;
  return ParseInteger(text, &value) ? value : fallback;
}

}  // namespace velotune::skin
