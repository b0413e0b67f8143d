#include "platform/reg_script.h"

#include <cctype>
#include <vector>

#include "platform/registry_values.h"

namespace velotune {

namespace {

// UTF-16LE with a byte-order mark becomes single-byte text (characters above
// 0xFF become '?'); anything else is taken as it is.
std::string Narrow(const std::string& text) {
  if (text.size() < 2 || static_cast<unsigned char>(text[0]) != 0xFF ||
      static_cast<unsigned char>(text[1]) != 0xFE)
    return text;
  std::string out;
  for (std::size_t i = 2; i + 1 < text.size(); i += 2) {
    unsigned code =
        static_cast<unsigned char>(text[i]) | (static_cast<unsigned char>(text[i + 1]) << 8);
    out += code <= 0xFF ? static_cast<char>(code) : '?';
  }
  return out;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (c != '\r') {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

std::string Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

bool StartsWithNoCase(const std::string& s, const std::string& prefix) {
  return s.size() >= prefix.size() && FoldName(s.substr(0, prefix.size())) == FoldName(prefix);
}

// Reads a quoted string at s[*pos] (the opening quote); \\ and \" are escapes.
bool ReadQuoted(const std::string& s, std::size_t* pos, std::string* out) {
  if (*pos >= s.size() || s[*pos] != '"') return false;
  out->clear();
  for (std::size_t i = *pos + 1; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) {
      *out += s[++i];
    } else if (s[i] == '"') {
      *pos = i + 1;
      return true;
    } else {
      *out += s[i];
    }
  }
  return false;
}

bool ParseHexBytes(const std::string& text, std::vector<std::uint8_t>* bytes) {
  bytes->clear();
  std::string t;
  for (char c : text)
    if (!std::isspace(static_cast<unsigned char>(c))) t += c;
  if (t.empty()) return true;
  std::size_t start = 0;
  while (start <= t.size()) {
    std::size_t comma = t.find(',', start);
    std::string item =
        t.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (item.empty() || item.size() > 2) return false;
    for (char c : item)
      if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    bytes->push_back(static_cast<std::uint8_t>(std::stoul(item, nullptr, 16)));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return true;
}

struct KeyRef {
  RegistryRoot root;
  std::string path;
};

bool ParseKeyName(const std::string& text, KeyRef* key) {
  std::size_t slash = text.find('\\');
  std::string rootName = text.substr(0, slash);
  if (!ParseRootName(rootName, &key->root)) return false;
  key->path = slash == std::string::npos ? "" : text.substr(slash + 1);
  return true;
}

}  // namespace

namespace {
template <typename Close>
void ImportLines(RegistryBackend& registry, const std::vector<std::string>& lines,
                 std::size_t start, RegKey* currentKey, Close closeCurrent,
                 std::vector<std::string>* failures) {
  RegKey& current = *currentKey;
  bool keyRefused = false;  // values of a key that could not be made are skipped
  for (std::size_t i = start; i < lines.size(); ++i) {
    int lineNo = static_cast<int>(i) + 1;
    std::string line = Trim(lines[i]);
    // A trailing backslash continues hex data on the next line.
    while (!line.empty() && line.back() == '\\' && line.find("=hex") != std::string::npos &&
           i + 1 < lines.size()) {
      line.pop_back();
      line += Trim(lines[++i]);
    }
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      closeCurrent();
      if (line.back() != ']') throw RegScriptError(lineNo, "unterminated key name");
      std::string name = line.substr(1, line.size() - 2);
      bool remove = !name.empty() && name[0] == '-';
      if (remove) name = name.substr(1);
      KeyRef key;
      if (!ParseKeyName(name, &key)) throw RegScriptError(lineNo, "unknown root in [" + name + "]");
      keyRefused = false;
      if (remove) {
        if (!DeleteKeyTree(registry, RootKey(key.root), key.path) && failures &&
            registry.OpenKeyEx(RootKey(key.root), key.path, kKeyRead, &current) ==
                regerr::kSuccess) {
          closeCurrent();
          failures->push_back("cannot delete key " + name);
        }
      } else if (registry.CreateKeyEx(RootKey(key.root), key.path, kKeyAllAccess, &current) !=
                 regerr::kSuccess) {
        current = 0;
        if (!failures) throw RegScriptError(lineNo, "cannot create key " + name);
        failures->push_back("cannot create key " + name);
        keyRefused = true;
      }
      continue;
    }
    if (current == 0 && !keyRefused) throw RegScriptError(lineNo, "value outside a key");
    std::string valueName;
    std::size_t pos = 0;
    if (line[0] == '@') {
      pos = 1;
    } else if (!ReadQuoted(line, &pos, &valueName)) {
      throw RegScriptError(lineNo, "bad value name");
    }
    while (pos < line.size() && line[pos] == ' ') ++pos;
    if (pos >= line.size() || line[pos] != '=') throw RegScriptError(lineNo, "missing '='");
    std::string data = Trim(line.substr(pos + 1));
    long rc = regerr::kSuccess;
    if (keyRefused) {
      // Its key could not be made: the value is skipped.
    } else if (data == "-") {
      long deleted = registry.DeleteValue(current, valueName);
      if (failures && deleted != regerr::kSuccess && deleted != regerr::kFileNotFound)
        failures->push_back("cannot delete value " + valueName);
    } else if (!data.empty() && data[0] == '"') {
      std::string text;
      std::size_t p = 0;
      if (!ReadQuoted(data, &p, &text) || Trim(data.substr(p)) != "")
        throw RegScriptError(lineNo, "bad string");
      rc = registry.SetValueEx(current, valueName, regtype::kSz,
                               reinterpret_cast<const std::uint8_t*>(text.c_str()),
                               static_cast<std::uint32_t>(text.size() + 1));
    } else if (StartsWithNoCase(data, "dword:")) {
      std::string digits = data.substr(6);
      if (digits.empty() || digits.size() > 8) throw RegScriptError(lineNo, "bad dword");
      for (char c : digits)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
          throw RegScriptError(lineNo, "bad dword");
      std::uint32_t v = static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16));
      std::uint8_t bytes[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                               static_cast<std::uint8_t>(v >> 16),
                               static_cast<std::uint8_t>(v >> 24)};
      rc = registry.SetValueEx(current, valueName, regtype::kDword, bytes, 4);
    } else if (StartsWithNoCase(data, "hex")) {
      std::uint32_t type = regtype::kBinary;
      std::size_t colon = data.find(':');
      if (colon == std::string::npos) throw RegScriptError(lineNo, "bad hex value");
      std::string kind = data.substr(3, colon - 3);
      if (!kind.empty()) {
        if (kind.size() < 3 || kind.front() != '(' || kind.back() != ')')
          throw RegScriptError(lineNo, "bad hex type");
        std::string t = kind.substr(1, kind.size() - 2);
        for (char c : t)
          if (!std::isxdigit(static_cast<unsigned char>(c)))
            throw RegScriptError(lineNo, "bad hex type");
        type = static_cast<std::uint32_t>(std::stoul(t, nullptr, 16));
      }
      std::vector<std::uint8_t> bytes;
      if (!ParseHexBytes(data.substr(colon + 1), &bytes))
        throw RegScriptError(lineNo, "bad hex bytes");
      rc = registry.SetValueEx(current, valueName, type, bytes.data(),
                               static_cast<std::uint32_t>(bytes.size()));
    } else {
      throw RegScriptError(lineNo, "unknown value data");
    }
    if (rc != regerr::kSuccess) {
      if (!failures) throw RegScriptError(lineNo, "cannot set value " + valueName);
      failures->push_back("cannot set value " + valueName);
    }
  }
}
}  // namespace

void ImportRegScript(RegistryBackend& registry, const std::string& rawText,
                     std::vector<std::string>* failures) {
  std::vector<std::string> lines = Lines(Narrow(rawText));
  std::size_t first = 0;
  while (first < lines.size() && Trim(lines[first]).empty()) ++first;
  if (first == lines.size()) throw RegScriptError(1, "empty script");
  std::string header = Trim(lines[first]);
  if (header.size() >= 3 && static_cast<unsigned char>(header[0]) == 0xEF)
    header = header.substr(3);
  if (header != "REGEDIT4" && header != "Windows Registry Editor Version 5.00")
    throw RegScriptError(static_cast<int>(first) + 1, "not a registry script");

  RegKey current = 0;
  auto closeCurrent = [&] {
    if (current) registry.CloseKey(current);
    current = 0;
  };
  try {
    ImportLines(registry, lines, first + 1, &current, closeCurrent, failures);
  } catch (...) {
    closeCurrent();
    throw;
  }
  closeCurrent();
}

std::string ExportRegScript(RegistryBackend& registry, RegistryRoot root, const std::string& path) {
  std::vector<std::string> lines = {"REGEDIT4"};
  AppendKeyTree(registry, root, path, &lines);
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

}  // namespace velotune
