#include "framework/text_values.h"

#include <cctype>
#include <cstdlib>

namespace velotune {

namespace {

struct NamedColor {
  const char* name;
  TColor value;
};

const NamedColor kColors[] = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clNone", clNone},
    {"clScrollBar", kSystemColor | 0},
    {"clBackground", kSystemColor | 1},
    {"clActiveCaption", kSystemColor | 2},
    {"clInactiveCaption", kSystemColor | 3},
    {"clMenu", kSystemColor | 4},
    {"clWindow", clWindow},
    {"clWindowFrame", kSystemColor | 6},
    {"clMenuText", kSystemColor | 7},
    {"clWindowText", clWindowText},
    {"clCaptionText", kSystemColor | 9},
    {"clActiveBorder", kSystemColor | 10},
    {"clInactiveBorder", kSystemColor | 11},
    {"clAppWorkSpace", kSystemColor | 12},
    {"clHighlight", kSystemColor | 13},
    {"clHighlightText", kSystemColor | 14},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", kSystemColor | 16},
    {"clGrayText", kSystemColor | 17},
    {"clBtnText", kSystemColor | 18},
    {"clInactiveCaptionText", kSystemColor | 19},
    {"clBtnHighlight", kSystemColor | 20},
    {"cl3DDkShadow", kSystemColor | 21},
    {"cl3DLight", kSystemColor | 22},
    {"clInfoText", kSystemColor | 23},
    {"clInfoBk", kSystemColor | 24},
    {"clHotLight", kSystemColor | 26},
};

std::string Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

}  // namespace

bool ParseBoolText(const std::string& text, bool* out) {
  if (text == "True" || text == "true" || text == "TRUE" || text == "1") {
    *out = true;
    return true;
  }
  if (text == "False" || text == "false" || text == "FALSE" || text == "0") {
    *out = false;
    return true;
  }
  return false;
}

bool ParseIntText(const std::string& text, int* out) {
  if (text.empty()) return false;
  std::size_t i = 0;
  bool negative = text[0] == '-';
  if (negative) ++i;
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  }
  if (i >= text.size()) return false;
  long long value = 0;
  for (; i < text.size(); ++i) {
    int d;
    char c = text[i];
    if (c >= '0' && c <= '9') {
      d = c - '0';
    } else if (base == 16 && std::isxdigit(static_cast<unsigned char>(c))) {
      d = std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
    } else {
      return false;
    }
    value = value * base + d;
    if (value > 0xFFFFFFFFll) return false;
  }
  if (negative) value = -value;
  if (value < -2147483648ll) return false;
  *out = static_cast<int>(static_cast<std::uint32_t>(value));
  return true;
}

std::string IntText(int value) {
  return std::to_string(value);
}

bool ParseColorText(const std::string& text, TColor* out) {
  for (const NamedColor& c : kColors) {
    if (text == c.name) {
      *out = c.value;
      return true;
    }
  }
  int value;
  if (!ParseIntText(text, &value)) return false;
  *out = value;
  return true;
}

std::string ColorText(TColor color) {
  for (const NamedColor& c : kColors)
    if (c.value == color) return c.name;
  static const char kHex[] = "0123456789ABCDEF";
  std::string out = "$";
  for (int shift = 28; shift >= 0; shift -= 4)
    out += kHex[(static_cast<std::uint32_t>(color) >> shift) & 0xF];
  return out;
}

int EnumIndex(const std::string& text, const std::vector<const char*>& names) {
  for (std::size_t i = 0; i < names.size(); ++i)
    if (text == names[i]) return static_cast<int>(i);
  return -1;
}

bool ParseSetText(const std::string& text, std::vector<std::string>* members) {
  std::string t = Trim(text);
  if (t.size() < 2 || t.front() != '[' || t.back() != ']') return false;
  members->clear();
  std::string inner = t.substr(1, t.size() - 2);
  std::size_t start = 0;
  while (start <= inner.size()) {
    std::size_t comma = inner.find(',', start);
    std::string piece =
        Trim(inner.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (!piece.empty()) {
      members->push_back(piece);
    } else if (comma != std::string::npos) {
      return false;  // "[a,,b]"
    }
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return true;
}

std::string SetText(const std::vector<std::string>& members) {
  std::string out = "[";
  for (std::size_t i = 0; i < members.size(); ++i) out += (i ? "," : "") + members[i];
  return out + "]";
}

bool DfmValueText(const DfmValue& value, std::string* text) {
  switch (value.kind) {
    case DfmKind::kInteger:
      *text = std::to_string(value.integer);
      return true;
    case DfmKind::kIdent:
    case DfmKind::kString:
      *text = value.text;
      return true;
    case DfmKind::kSet:
      *text = SetText(value.items);
      return true;
    default:
      return false;
  }
}

std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to) {
  if (from.empty()) return text;
  std::string out;
  std::size_t pos = 0;
  for (;;) {
    std::size_t at = text.find(from, pos);
    if (at == std::string::npos) break;
    out.append(text, pos, at - pos);
    out += to;
    pos = at + from.size();
  }
  out.append(text, pos, std::string::npos);
  return out;
}

int ScaleRounded(int value, int numerator, int denominator) {
  if (denominator == 0) return value;
  long long product = static_cast<long long>(value) * numerator;
  long long half = (denominator > 0 ? denominator : -denominator) / 2;
  bool negative = (product < 0) != (denominator < 0);
  long long magnitude = (product < 0 ? -product : product) + half;
  long long result = magnitude / (denominator > 0 ? denominator : -denominator);
  return static_cast<int>(negative ? -result : result);
}

}  // namespace velotune
