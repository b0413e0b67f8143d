#include "skin/data/quick_ini.h"

#include <algorithm>
#include <stdexcept>

#include "skin/data/skin_reader.h"

namespace velotune::skin {

namespace {

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

namespace {

// Compares a and the already lowered b, a's ASCII letters taken as lower case.
int CompareLowered(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = static_cast<unsigned char>(LowerAsciiChar(a[i]));
    const unsigned char y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int CompareIgnoringCase(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = static_cast<unsigned char>(LowerAsciiChar(a[i]));
    const unsigned char y = static_cast<unsigned char>(LowerAsciiChar(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

void TQuickIni::LoadFromText(const std::string& text) {
  text_.assign(text, 0, text.find('\0'));
  headers_.clear();
  byName_.clear();
  entries_.clear();
  // Trimmed spans: the text is never copied line by line.
  auto trim = [&](size_t begin, size_t end) {
    while (begin < end && IsBlank(text_[begin])) ++begin;
    while (end > begin && IsBlank(text_[end - 1])) --end;
    return Span{static_cast<uint32_t>(begin), static_cast<uint32_t>(end - begin)};
  };
  std::vector<Entry> lines;  // every kept line after the first header
  ForEachLine(text_.data(), text_.size(), [&](size_t begin, size_t end) {
    const Span line = trim(begin, end);
    if (line.length == 0 || text_[line.begin] == ';') return;
    const char last = text_[line.begin + line.length - 1];
    if (line.length >= 2 && text_[line.begin] == '[' && last == ']') {
      headers_.push_back(line);
      return;
    }
    if (headers_.empty()) return;
    const std::string_view body = Text(line);
    const size_t eq = body.find('=');
    const uint32_t section = static_cast<uint32_t>(headers_.size() - 1);
    if (eq == std::string_view::npos)
      lines.push_back({section, {line.begin, 0}, line});
    else
      lines.push_back({section, trim(line.begin, line.begin + eq),
                       trim(line.begin + eq + 1, line.begin + line.length)});
  });

  // Sections by name; of several with one name only the first is ever read.
  auto inner = [&](uint32_t header) {
    return Text({headers_[header].begin + 1, headers_[header].length - 2});
  };
  byName_.resize(headers_.size());
  for (size_t i = 0; i < byName_.size(); ++i) byName_[i] = static_cast<uint32_t>(i);
  std::sort(byName_.begin(), byName_.end(), [&](uint32_t a, uint32_t b) {
    const int order = CompareIgnoringCase(inner(a), inner(b));
    return order != 0 ? order < 0 : a < b;
  });
  std::vector<bool> readable(headers_.size(), false);
  for (size_t i = 0; i < byName_.size(); ++i)
    readable[byName_[i]] =
        i == 0 || CompareIgnoringCase(inner(byName_[i - 1]), inner(byName_[i])) != 0;

  // Keys by section and name; of several with one name only the first counts.
  for (const Entry& e : lines)
    if (readable[e.section]) entries_.push_back(e);
  std::stable_sort(entries_.begin(), entries_.end(), [&](const Entry& a, const Entry& b) {
    if (a.section != b.section) return a.section < b.section;
    return CompareIgnoringCase(Text(a.key), Text(b.key)) < 0;
  });
  entries_.erase(std::unique(entries_.begin(), entries_.end(),
                             [&](const Entry& a, const Entry& b) {
                               return a.section == b.section &&
                                      CompareIgnoringCase(Text(a.key), Text(b.key)) == 0;
                             }),
                 entries_.end());
  entries_.shrink_to_fit();
}

void TQuickIni::LoadFromStream(const std::vector<uint8_t>* bytes, size_t position) {
  if (bytes == nullptr) return;
  if (position > bytes->size()) position = bytes->size();
  LoadFromText(std::string(bytes->begin() + static_cast<std::ptrdiff_t>(position), bytes->end()));
}

void TQuickIni::ReadSections(std::vector<std::string>* names) const {
  if (names == nullptr) throw std::logic_error("The parameter Strings is unassigned!");
  names->clear();
  for (const Span& h : headers_)
    names->push_back(TrimText(std::string(Text({h.begin + 1, h.length - 2}))));
}

int TQuickIni::FindSection(const std::string& section) const {
  const std::string wanted = LowerAscii(section);
  const auto found = std::lower_bound(
      byName_.begin(), byName_.end(), wanted, [&](uint32_t header, const std::string& w) {
        return CompareLowered(Text({headers_[header].begin + 1, headers_[header].length - 2}), w) <
               0;
      });
  if (found == byName_.end() ||
      CompareLowered(Text({headers_[*found].begin + 1, headers_[*found].length - 2}), wanted) != 0)
    return -1;
  return static_cast<int>(*found);
}

std::string TQuickIni::ReadString(const std::string& section, const std::string& key,
                                  const std::string& fallback) const {
  const int header = FindSection(section);
  if (header < 0) return fallback;
  const uint32_t s = static_cast<uint32_t>(header);
  const std::string wanted = LowerAscii(key);
  const auto found = std::lower_bound(entries_.begin(), entries_.end(), wanted,
                                      [&](const Entry& e, const std::string& w) {
                                        if (e.section != s) return e.section < s;
                                        return CompareLowered(Text(e.key), w) < 0;
                                      });
  if (found == entries_.end() || found->section != s ||
      CompareLowered(Text(found->key), wanted) != 0)
    return fallback;
  // The first line of the key decides, even when its value is empty.
  return found->value.length == 0 ? fallback : std::string(Text(found->value));
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
