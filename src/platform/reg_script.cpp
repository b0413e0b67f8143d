#include "platform/reg_script.h"

#include <algorithm>
#include <string_view>

#include "platform/registry_names.h"
#include "platform/registry_values.h"
#include "platform/text_case.h"

namespace velotune {

const char kBackupEndLine[] = "; End of Velotune backup";

namespace {

const char kVersion5Header[] = "Windows Registry Editor Version 5.00";

bool IsUtf16(const std::string& text) {
  return text.size() >= 2 && static_cast<unsigned char>(text[0]) == 0xFF &&
         static_cast<unsigned char>(text[1]) == 0xFE;
}

// The script as UTF-8 text: UTF-16LE after its byte-order mark, UTF-8 after
// its own mark, anything else in the system's ANSI code page.
std::string DecodeText(const std::string& text) {
  if (IsUtf16(text)) {
    std::u16string units((text.size() - 2) / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
      units[i] = static_cast<char16_t>(static_cast<unsigned char>(text[2 + 2 * i]) |
                                       (static_cast<unsigned char>(text[3 + 2 * i]) << 8));
    return Utf16ToUtf8(units);
  }
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) return text.substr(3);
  return AnsiToUtf8(text);
}

// The lines of the text, without their line ends; views into it, so that a
// script of a hundred thousand lines is read without copying them.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  lines.reserve(text.size() / 48 + 1);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    lines.push_back(text.substr(start, stop - start));
    start = end + 1;
  }
  return lines;
}

std::string_view Trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

// ASCII letters compared without case; no other character folds into
// ASCII, so this is the registry's comparison for an ASCII prefix.
bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (LowerChar(s[i]) != LowerChar(prefix[i])) return false;
  return true;
}

// Reads a quoted string at s[*pos] (the opening quote); \\, \", \n and \r
// are escapes.
bool ReadQuoted(std::string_view s, std::size_t* pos, std::string* out) {
  if (*pos >= s.size() || s[*pos] != '"') return false;
  out->clear();
  for (std::size_t i = *pos + 1; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      const char next = s[++i];
      *out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    } else if (s[i] == '"') {
      *pos = i + 1;
      return true;
    } else {
      *out += s[i];
    }
  }
  return false;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// One to `most` hex digits and nothing else: their number.
bool ReadHexNumber(std::string_view text, std::size_t most, std::uint32_t* value) {
  if (text.empty() || text.size() > most) return false;
  *value = 0;
  for (char c : text) {
    const int digit = HexValue(c);
    if (digit < 0) return false;
    *value = *value << 4 | static_cast<std::uint32_t>(digit);
  }
  return true;
}

// Comma-separated bytes of one or two hex digits (two when strict); blanks
// anywhere are passed over.
bool ParseHexBytes(std::string_view text, bool strict, std::vector<std::uint8_t>* bytes) {
  bytes->clear();
  bytes->reserve(text.size() / 3 + 1);
  int digits = 0, value = 0;
  bool any = false;
  for (char c : text) {
    if (c == ' ' || c == '\t') continue;
    any = true;
    if (c == ',') {
      if (digits == 0 || (strict && digits != 2)) return false;
      bytes->push_back(static_cast<std::uint8_t>(value));
      digits = value = 0;
      continue;
    }
    const int digit = HexValue(c);
    if (digit < 0 || ++digits > 2) return false;
    value = value << 4 | digit;
  }
  if (!any) return true;
  if (digits == 0 || (strict && digits != 2)) return false;
  bytes->push_back(static_cast<std::uint8_t>(value));
  return true;
}

// The line in UTF-16LE with its CR LF: ASCII as it is, anything else
// through the conversion.
void AppendUtf16Line(const std::string& line, std::string* bytes) {
  const bool ascii = std::all_of(line.begin(), line.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) {
    for (char c : line) {
      *bytes += c;
      *bytes += '\0';
    }
  } else {
    for (char16_t u : Utf8ToUtf16(line)) {
      *bytes += static_cast<char>(u & 0xFF);
      *bytes += static_cast<char>(u >> 8);
    }
  }
  bytes->append("\r\0\n\0", 4);
}

// REGEDIT4 scripts give string data in hex as ANSI bytes; the registry
// editor ends them with a NUL when they lack one and stores them as the wide
// text they stand for.
std::vector<std::uint8_t> WidenAnsiData(std::vector<std::uint8_t> bytes) {
  if (!bytes.empty() && bytes.back() != 0) bytes.push_back(0);
  const std::u16string units = Utf8ToUtf16(AnsiToUtf8(std::string(bytes.begin(), bytes.end())));
  std::vector<std::uint8_t> data;
  for (char16_t u : units) {
    data.push_back(static_cast<std::uint8_t>(u & 0xFF));
    data.push_back(static_cast<std::uint8_t>(u >> 8));
  }
  return data;
}

class Parser {
 public:
  Parser(bool strict, bool unicode) : strict_(strict), unicode_(unicode) {}

  void Key(std::string_view line, int lineNo, RegScript* script) {
    if (line.back() != ']') throw RegScriptError(lineNo, "unterminated key name");
    std::string name(line.substr(1, line.size() - 2));
    ScriptEntry entry;
    entry.line = lineNo;
    entry.kind = ScriptEntry::Kind::kKey;
    if (!name.empty() && name[0] == '-') {
      entry.kind = ScriptEntry::Kind::kDeleteKey;
      name = name.substr(1);
    }
    const std::size_t slash = name.find('\\');
    if (!ParseRootName(name.substr(0, slash), &entry.root))
      throw RegScriptError(lineNo, "unknown root in [" + name + "]");
    entry.path = slash == std::string::npos ? "" : name.substr(slash + 1);
    if (!entry.path.empty() && entry.path.back() == '\\') entry.path.pop_back();
    if (entry.path.empty() && (strict_ || entry.kind == ScriptEntry::Kind::kDeleteKey))
      throw RegScriptError(lineNo, "[" + name + "] names a whole root");
    inKey_ = entry.kind == ScriptEntry::Kind::kKey;
    script->entries.push_back(std::move(entry));
  }

  void Value(std::string_view line, int lineNo, RegScript* script) {
    if (script->entries.empty()) throw RegScriptError(lineNo, "value outside a key");
    ScriptEntry entry;
    entry.line = lineNo;
    entry.kind = ScriptEntry::Kind::kValue;
    std::size_t pos = 0;
    if (line[0] == '@') {
      pos = 1;
    } else if (!ReadQuoted(line, &pos, &entry.name)) {
      throw RegScriptError(lineNo, "bad value name");
    }
    while (pos < line.size() && line[pos] == ' ') ++pos;
    if (pos >= line.size() || line[pos] != '=') throw RegScriptError(lineNo, "missing '='");
    const std::string_view data = Trim(line.substr(pos + 1));
    if (data == "-") {
      entry.kind = ScriptEntry::Kind::kDeleteValue;
    } else if (!data.empty() && data[0] == '"') {
      std::size_t p = 0;
      if (!ReadQuoted(data, &p, &text_) || !Trim(data.substr(p)).empty())
        throw RegScriptError(lineNo, "bad string");
      entry.type = regtype::kSz;
      entry.data = StringData(text_);
    } else if (StartsWithNoCase(data, "dword:")) {
      const std::string_view digits = data.substr(6);
      std::uint32_t v = 0;
      if (!ReadHexNumber(digits, 8, &v) || (strict_ && digits.size() != 8))
        throw RegScriptError(lineNo, "bad dword");
      entry.type = regtype::kDword;
      entry.data = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                    static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
    } else if (StartsWithNoCase(data, "hex")) {
      entry.type = regtype::kBinary;
      const std::size_t colon = data.find(':');
      if (colon == std::string_view::npos) throw RegScriptError(lineNo, "bad hex value");
      const std::string_view kind = data.substr(3, colon - 3);
      if (!kind.empty() && (kind.size() < 3 || kind.front() != '(' || kind.back() != ')' ||
                            !ReadHexNumber(kind.substr(1, kind.size() - 2), 8, &entry.type)))
        throw RegScriptError(lineNo, "unknown value type " + std::string(data.substr(0, colon)));
      if (!ParseHexBytes(data.substr(colon + 1), strict_, &entry.data))
        throw RegScriptError(lineNo, "bad hex bytes");
      if (!unicode_ && (entry.type == regtype::kSz || entry.type == regtype::kExpandSz ||
                        entry.type == regtype::kMultiSz))
        entry.data = WidenAnsiData(entry.data);
    } else {
      throw RegScriptError(lineNo, "unknown value data");
    }
    // Values after a key deletion have no key to go to.
    if (!inKey_) throw RegScriptError(lineNo, "value outside a key");
    script->entries.push_back(std::move(entry));
  }

 private:
  bool strict_, unicode_;
  bool inKey_ = false;
  std::string text_;  // a string value's text, its buffer kept from line to line
};

}  // namespace

RegScript ParseRegScript(const std::string& rawText, bool strict) {
  RegScript script;
  script.unicode = IsUtf16(rawText);
  const std::string decoded = DecodeText(rawText);
  const std::vector<std::string_view> lines = Lines(decoded);
  std::size_t first = 0;
  while (first < lines.size() && Trim(lines[first]).empty()) ++first;
  if (first == lines.size()) throw RegScriptError(1, "empty script");
  const std::string_view header = Trim(lines[first]);
  const bool version5 = header == kVersion5Header;
  if (!version5 && header != "REGEDIT4")
    throw RegScriptError(static_cast<int>(first) + 1, "not a registry script");
  if (strict && !version5)
    throw RegScriptError(static_cast<int>(first) + 1,
                         "not a \"Windows Registry Editor Version 5.00\" script");
  Parser parser(strict, script.unicode || version5);
  std::size_t last = lines.size();
  while (last > first + 1 && Trim(lines[last - 1]).empty()) --last;
  script.closed = last > first + 1 && Trim(lines[last - 1]) == kBackupEndLine;
  script.entries.reserve(last - first);
  std::string joined;  // a line continued over several
  for (std::size_t i = first + 1; i < last; ++i) {
    const int lineNo = static_cast<int>(i) + 1;
    std::string_view line = Trim(lines[i]);
    // A trailing backslash continues hex data on the next line.
    if (!line.empty() && line.back() == '\\' && line.find("=hex") != std::string_view::npos) {
      joined.assign(line.data(), line.size());
      while (!joined.empty() && joined.back() == '\\' && joined.find("=hex") != std::string::npos) {
        if (i + 1 >= last) {
          if (strict) throw RegScriptError(lineNo, "hex data cut short");
          break;
        }
        joined.pop_back();
        joined += Trim(lines[++i]);
      }
      line = joined;
    }
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[')
      parser.Key(line, lineNo, &script);
    else
      parser.Value(line, lineNo, &script);
  }
  return script;
}

void ApplyRegScript(RegistryBackend& registry, const RegScript& script,
                    std::vector<std::string>* failures) {
  RegKey current = 0;
  bool keyRefused = false;  // values of a key that could not be made are skipped
  auto closeCurrent = [&] {
    if (current) registry.CloseKey(current);
    current = 0;
  };
  auto fail = [&](int line, const std::string& what) {
    if (!failures) {
      closeCurrent();
      throw RegScriptError(line, what);
    }
    failures->push_back(what);
  };
  for (const ScriptEntry& entry : script.entries) {
    switch (entry.kind) {
      case ScriptEntry::Kind::kDeleteKey: {
        closeCurrent();
        const std::string name = FullKeyName(entry.root, entry.path);
        if (!DeleteKeyTree(registry, RootKey(entry.root), entry.path) && failures &&
            KeyExistsAt(registry, entry.root, entry.path))
          failures->push_back("cannot delete key " + name);
        break;
      }
      case ScriptEntry::Kind::kKey:
        closeCurrent();
        keyRefused = registry.CreateKeyEx(RootKey(entry.root), entry.path, kKeyAllAccess,
                                          &current) != regerr::kSuccess;
        if (keyRefused) {
          current = 0;
          fail(entry.line, "cannot create key " + FullKeyName(entry.root, entry.path));
        }
        break;
      case ScriptEntry::Kind::kDeleteValue:
        if (!keyRefused) {
          const long rc = registry.DeleteValue(current, entry.name);
          if (failures && rc != regerr::kSuccess && rc != regerr::kFileNotFound)
            failures->push_back("cannot delete value " + entry.name);
        }
        break;
      case ScriptEntry::Kind::kValue:
        if (!keyRefused &&
            registry.SetValueEx(current, entry.name, entry.type, entry.data.data(),
                                static_cast<std::uint32_t>(entry.data.size())) != regerr::kSuccess)
          fail(entry.line, "cannot set value " + entry.name);
        break;
    }
  }
  closeCurrent();
}

void ImportRegScript(RegistryBackend& registry, const std::string& text,
                     std::vector<std::string>* failures) {
  ApplyRegScript(registry, ParseRegScript(text), failures);
}

std::string Version5Script(const std::vector<std::string>& lines, bool closed) {
  std::size_t size = 2 + 2 * (sizeof kVersion5Header + sizeof kBackupEndLine + 8);
  for (const std::string& line : lines) size += 2 * (line.size() + 2);
  std::string bytes = "\xFF\xFE";
  bytes.reserve(size);
  AppendUtf16Line(kVersion5Header, &bytes);
  for (const std::string& line : lines) AppendUtf16Line(line, &bytes);
  if (closed) {
    AppendUtf16Line("", &bytes);
    AppendUtf16Line(kBackupEndLine, &bytes);
  }
  return bytes;
}

std::string ExportRegScript(RegistryBackend& registry, RegistryRoot root, const std::string& path) {
  std::vector<std::string> lines;
  AppendKeyTree(registry, root, path, &lines);
  return Version5Script(lines, false);
}

}  // namespace velotune
