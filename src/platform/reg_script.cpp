#include "platform/reg_script.h"

#include <cctype>

#include "platform/registry_names.h"
#include "platform/registry_values.h"

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

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    lines.push_back(text.substr(start, stop - start));
    start = end + 1;
  }
  return lines;
}

std::string Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

bool StartsWithNoCase(const std::string& s, const std::string& prefix) {
  return s.size() >= prefix.size() && FoldName(s.substr(0, prefix.size())) == FoldName(prefix);
}

// Reads a quoted string at s[*pos] (the opening quote); \\, \", \n and \r
// are escapes.
bool ReadQuoted(const std::string& s, std::size_t* pos, std::string* out) {
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

bool HexDigits(const std::string& text, std::size_t most) {
  if (text.empty() || text.size() > most) return false;
  for (char c : text)
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

bool ParseHexBytes(const std::string& text, bool strict, std::vector<std::uint8_t>* bytes) {
  bytes->clear();
  std::string t;
  for (char c : text)
    if (c != ' ' && c != '\t') t += c;
  if (t.empty()) return true;
  bytes->reserve(t.size() / 3 + 1);
  std::size_t start = 0;
  for (;;) {
    std::size_t comma = t.find(',', start);
    const std::string item = t.substr(start, comma == std::string::npos ? t.npos : comma - start);
    if (!HexDigits(item, 2) || (strict && item.size() != 2)) return false;
    bytes->push_back(static_cast<std::uint8_t>(std::stoul(item, nullptr, 16)));
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
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

  void Key(const std::string& line, int lineNo, RegScript* script) {
    if (line.back() != ']') throw RegScriptError(lineNo, "unterminated key name");
    std::string name = line.substr(1, line.size() - 2);
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

  void Value(const std::string& line, int lineNo, RegScript* script) {
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
    const std::string data = Trim(line.substr(pos + 1));
    if (data == "-") {
      entry.kind = ScriptEntry::Kind::kDeleteValue;
    } else if (!data.empty() && data[0] == '"') {
      std::string text;
      std::size_t p = 0;
      if (!ReadQuoted(data, &p, &text) || !Trim(data.substr(p)).empty())
        throw RegScriptError(lineNo, "bad string");
      entry.type = regtype::kSz;
      entry.data = StringData(text);
    } else if (StartsWithNoCase(data, "dword:")) {
      const std::string digits = data.substr(6);
      if (!HexDigits(digits, 8) || (strict_ && digits.size() != 8))
        throw RegScriptError(lineNo, "bad dword");
      const std::uint32_t v = static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16));
      entry.type = regtype::kDword;
      entry.data = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                    static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
    } else if (StartsWithNoCase(data, "hex")) {
      entry.type = regtype::kBinary;
      const std::size_t colon = data.find(':');
      if (colon == std::string::npos) throw RegScriptError(lineNo, "bad hex value");
      const std::string kind = data.substr(3, colon - 3);
      if (!kind.empty()) {
        if (kind.size() < 3 || kind.front() != '(' || kind.back() != ')' ||
            !HexDigits(kind.substr(1, kind.size() - 2), 8))
          throw RegScriptError(lineNo, "unknown value type " + data.substr(0, colon));
        entry.type = static_cast<std::uint32_t>(std::stoul(kind.substr(1), nullptr, 16));
      }
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
};

}  // namespace

RegScript ParseRegScript(const std::string& rawText, bool strict) {
  RegScript script;
  script.unicode = IsUtf16(rawText);
  const std::vector<std::string> lines = Lines(DecodeText(rawText));
  std::size_t first = 0;
  while (first < lines.size() && Trim(lines[first]).empty()) ++first;
  if (first == lines.size()) throw RegScriptError(1, "empty script");
  const std::string header = Trim(lines[first]);
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
  for (std::size_t i = first + 1; i < last; ++i) {
    const int lineNo = static_cast<int>(i) + 1;
    std::string line = Trim(lines[i]);
    // A trailing backslash continues hex data on the next line.
    while (!line.empty() && line.back() == '\\' && line.find("=hex") != std::string::npos) {
      if (i + 1 >= last) {
        if (strict) throw RegScriptError(lineNo, "hex data cut short");
        break;
      }
      line.pop_back();
      line += Trim(lines[++i]);
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
  std::u16string text = Utf8ToUtf16(kVersion5Header) + u"\r\n";
  for (const std::string& line : lines) text += Utf8ToUtf16(line) + u"\r\n";
  if (closed) text += u"\r\n" + Utf8ToUtf16(kBackupEndLine) + u"\r\n";
  std::string bytes = "\xFF\xFE";
  bytes.reserve(2 + text.size() * 2);
  for (char16_t u : text) {
    bytes += static_cast<char>(u & 0xFF);
    bytes += static_cast<char>(u >> 8);
  }
  return bytes;
}

std::string ExportRegScript(RegistryBackend& registry, RegistryRoot root, const std::string& path) {
  std::vector<std::string> lines;
  AppendKeyTree(registry, root, path, &lines);
  return Version5Script(lines, false);
}

}  // namespace velotune
