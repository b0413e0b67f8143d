#include "platform/registry_values.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/registry_names.h"

namespace velotune {

namespace {

// The longest value name the registry allows (16383 UTF-16 units) in UTF-8,
// with its NUL.
constexpr std::uint32_t kValueNameBuffer = 16383 * 3 + 1;
// Lines of hex data are wrapped before this column.
constexpr std::size_t kScriptLineWidth = 77;

// A name or text between quotes: backslashes and quotes escaped, and line
// breaks (which only names can hold here) as \n and \r, so that the entry
// stays on one line.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    if (c == '\n' || c == '\r') {
      out += c == '\n' ? "\\n" : "\\r";
      continue;
    }
    out += c;
  }
  return out + "\"";
}

std::string NamePart(const std::string& name) {
  return name.empty() ? "@" : Quoted(name);
}

// A REG_SZ that a quoted string gives back exactly: whole UTF-16 units ending
// in the one NUL, no control characters (a line break would end the script
// line) and no half of a surrogate pair.
bool IsPlainString(const RegValue& value) {
  const std::vector<std::uint8_t>& d = value.data;
  if (value.type != regtype::kSz || d.size() < 2 || d.size() % 2 != 0) return false;
  const std::size_t units = d.size() / 2;
  for (std::size_t i = 0; i < units; ++i) {
    const unsigned u = d[2 * i] | (d[2 * i + 1] << 8);
    if (i + 1 == units) return u == 0;
    if (u < 0x20) return false;
    if (u >= 0xD800 && u < 0xDC00) {
      const unsigned next = i + 2 < units ? d[2 * i + 2] | (d[2 * i + 3] << 8) : 0;
      if (next < 0xDC00 || next >= 0xE000) return false;
      ++i;
    } else if (u >= 0xDC00 && u < 0xE000) {
      return false;
    }
  }
  return false;
}

std::string HexPrefix(std::uint32_t type) {
  if (type == regtype::kBinary) return "hex:";
  char buf[24];
  std::snprintf(buf, sizeof buf, "hex(%x):", static_cast<unsigned>(type));
  return buf;
}

void AppendHexByte(std::uint8_t byte, std::string* out) {
  static const char kDigits[] = "0123456789abcdef";
  *out += kDigits[byte >> 4];
  *out += kDigits[byte & 0xF];
}

bool IsDwordLine(const RegValue& value) {
  return value.type == regtype::kDword && value.data.size() == 4;
}

}  // namespace

bool SameData(const RegValue& a, const RegValue& b) {
  return a.type == b.type && a.data == b.data;
}

long CopyValueData(const RegValue& value, std::uint32_t* type, std::uint8_t* data,
                   std::uint32_t* size) {
  const std::uint32_t needed = static_cast<std::uint32_t>(value.data.size());
  if (type) *type = value.type;
  if (data != nullptr) {
    if (size == nullptr) return regerr::kInvalidParameter;
    if (*size < needed) {
      *size = needed;
      return regerr::kMoreData;
    }
    if (needed) std::memcpy(data, value.data.data(), needed);
  }
  if (size) *size = needed;
  return regerr::kSuccess;
}

long CopyKeyName(const std::string& keyName, char* name, std::uint32_t* nameSize) {
  if (name == nullptr || nameSize == nullptr) return regerr::kInvalidParameter;
  if (keyName.size() + 1 > *nameSize) return regerr::kMoreData;
  std::memcpy(name, keyName.c_str(), keyName.size() + 1);
  *nameSize = static_cast<std::uint32_t>(keyName.size());
  return regerr::kSuccess;
}

long CopyEnumeratedValue(const RegValue& value, char* name, std::uint32_t* nameSize,
                         std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) {
  if (name == nullptr || nameSize == nullptr) return regerr::kInvalidParameter;
  const std::uint32_t needed = static_cast<std::uint32_t>(value.data.size());
  const bool dataFits = data == nullptr || (dataSize != nullptr && *dataSize >= needed);
  if (value.name.size() + 1 > *nameSize || !dataFits) {
    if (dataSize) *dataSize = needed;
    return regerr::kMoreData;
  }
  std::memcpy(name, value.name.c_str(), value.name.size() + 1);
  *nameSize = static_cast<std::uint32_t>(value.name.size());
  return CopyValueData(value, type, data, dataSize);
}

bool ReadValue(RegistryBackend& registry, RegKey key, const std::string& name, RegValue* value) {
  std::uint32_t type = 0, size = 0;
  if (registry.QueryValueEx(key, name, &type, nullptr, &size) != regerr::kSuccess) return false;
  std::vector<std::uint8_t> data(size);
  long rc = regerr::kMoreData;
  // The value may grow between the two calls; ask again with the new size.
  for (int attempt = 0; attempt < 4 && rc == regerr::kMoreData; ++attempt) {
    data.resize(size);
    rc = registry.QueryValueEx(key, name, &type, data.data(), &size);
  }
  if (rc != regerr::kSuccess) return false;
  data.resize(size);
  value->name = name;
  value->type = type;
  value->data = std::move(data);
  return true;
}

std::vector<RegValue> ReadValueRange(RegistryBackend& registry, RegKey key, std::uint32_t first,
                                     std::uint32_t end, std::uint32_t dataSize) {
  std::vector<RegValue> values;
  std::vector<char> name(kValueNameBuffer);
  std::vector<std::uint8_t> data(std::max<std::uint32_t>(dataSize, 256));
  for (std::uint32_t index = first; index < end;) {
    std::uint32_t nameSize = kValueNameBuffer, type = 0;
    std::uint32_t size = static_cast<std::uint32_t>(data.size());
    long rc = registry.EnumValue(key, index, name.data(), &nameSize, &type, data.data(), &size);
    if (rc == regerr::kMoreData) {
      data.resize(std::max<std::size_t>(data.size() * 2, size));
      continue;
    }
    if (rc != regerr::kSuccess) break;
    values.push_back(RegValue{std::string(name.data(), nameSize), type,
                              std::vector<std::uint8_t>(data.begin(), data.begin() + size)});
    ++index;
  }
  return values;
}

std::vector<RegValue> ReadValues(RegistryBackend& registry, RegKey key) {
  std::vector<RegValue> values;
  if (registry.ReadAllValues(key, &values)) return values;
  return ReadValueRange(registry, key, 0, UINT32_MAX, 0);
}

ListedValues::ListedValues(RegistryBackend& registry, RegKey key)
    : held_(registry.HeldValues(key)) {
  if (held_ == nullptr) read_ = ReadValues(registry, key);
}

std::vector<std::string> ReadSubKeyNames(RegistryBackend& registry, RegKey key) {
  std::vector<std::string> names;
  std::uint32_t count = 0, longest = 0;
  if (registry.QueryInfoKey(key, &count, &longest) != regerr::kSuccess) return names;
  std::vector<char> name(MaxNameBytes(longest));
  for (std::uint32_t index = 0;; ++index) {
    std::uint32_t size = static_cast<std::uint32_t>(name.size());
    long rc = registry.EnumKeyEx(key, index, name.data(), &size);
    if (rc == regerr::kMoreData) {  // a longer name came meanwhile
      name.resize(name.size() * 2 + 256);
      --index;
      continue;
    }
    if (rc != regerr::kSuccess) break;
    names.emplace_back(name.data(), size);
  }
  return names;
}

bool KeyExistsAt(RegistryBackend& registry, RegistryRoot root, const std::string& path) {
  RegKey key = 0;
  if (registry.OpenKeyEx(RootKey(root), path, kKeyRead, &key) != regerr::kSuccess) return false;
  registry.CloseKey(key);
  return true;
}

bool ValueAt(RegistryBackend& registry, RegistryRoot root, const std::string& path,
             const std::string& name, RegValue* value) {
  RegKey key = 0;
  if (registry.OpenKeyEx(RootKey(root), path, kKeyRead, &key) != regerr::kSuccess) return false;
  bool found = ReadValue(registry, key, name, value);
  registry.CloseKey(key);
  return found;
}

std::string FullKeyName(RegistryRoot root, const std::string& path) {
  std::string p = path;
  if (!p.empty() && p.back() == '\\') p.pop_back();
  return p.empty() ? RootName(root) : std::string(RootName(root)) + "\\" + p;
}

std::string JoinKeyPath(const std::string& path, const std::string& name) {
  if (path.empty()) return name;
  return path.back() == '\\' ? path + name : path + "\\" + name;
}

std::string ScriptData(const RegValue& value) {
  if (IsPlainString(value)) return Quoted(TextOfStringData(value.data));
  if (IsDwordLine(value)) {
    std::uint32_t d = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                      (static_cast<std::uint32_t>(value.data[3]) << 24);
    char buf[24];
    std::snprintf(buf, sizeof buf, "dword:%08x", static_cast<unsigned>(d));
    return buf;
  }
  std::string out = HexPrefix(value.type);
  out.reserve(out.size() + value.data.size() * 3);
  for (std::size_t i = 0; i < value.data.size(); ++i) {
    if (i) out += ',';
    AppendHexByte(value.data[i], &out);
  }
  return out;
}

void AppendScriptValue(const RegValue& value, std::vector<std::string>* lines) {
  std::string line = NamePart(value.name) + "=";
  if (IsPlainString(value)) {
    lines->push_back(line + Quoted(TextOfStringData(value.data)));
    return;
  }
  if (IsDwordLine(value)) {
    lines->push_back(line + ScriptData(value));
    return;
  }
  line += HexPrefix(value.type);
  bool lineHasBytes = false;
  for (std::size_t i = 0; i < value.data.size(); ++i) {
    const bool last = i + 1 == value.data.size();
    if (lineHasBytes && line.size() + (last ? 2 : 3) > kScriptLineWidth) {
      line += '\\';
      lines->push_back(std::move(line));
      line = "  ";
    }
    AppendHexByte(value.data[i], &line);
    if (!last) line += ',';
    lineHasBytes = true;
  }
  lines->push_back(std::move(line));
}

std::string ScriptValueDeletion(const std::string& name) {
  return NamePart(name) + "=-";
}

void AppendKeyTree(RegistryBackend& registry, RegistryRoot root, const std::string& path,
                   std::vector<std::string>* lines) {
  RegKey key = 0;
  if (registry.OpenKeyEx(RootKey(root), path, kKeyRead, &key) != regerr::kSuccess) return;
  const ListedValues values(registry, key);
  std::vector<std::string> children = ReadSubKeyNames(registry, key);
  lines->push_back("");
  lines->push_back("[" + FullKeyName(root, path) + "]");
  lines->reserve(lines->size() + values.All().size());
  for (const RegValue& value : values.All()) AppendScriptValue(value, lines);
  registry.CloseKey(key);
  for (const std::string& child : children)
    AppendKeyTree(registry, root, JoinKeyPath(path, child), lines);
}

}  // namespace velotune
