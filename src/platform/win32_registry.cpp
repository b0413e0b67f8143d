#include "platform/win32_registry.h"

#include <windows.h>

#include <algorithm>
#include <thread>

#include "platform/registry_names.h"
#include "platform/registry_values.h"
#include "platform/wow64.h"

namespace velotune {

namespace {
HKEY H(RegKey key) {
  return reinterpret_cast<HKEY>(key);
}

std::wstring Wide(const std::string& text) {
  const std::u16string units = Utf8ToUtf16(text);
  return std::wstring(units.begin(), units.end());
}

// A value name in UTF-16 for one call, in a buffer kept for the next: values
// are written by the hundred thousand.
const wchar_t* WideName(const std::string& name) {
  static thread_local std::u16string units;
  Utf8ToUtf16(name, &units);
  return reinterpret_cast<const wchar_t*>(units.c_str());
}

// A name read in UTF-16 handed out in the program's form: *size is the
// buffer in bytes (with the NUL) on entry and the name's length on success.
long CopyName(const wchar_t* wide, DWORD length, char* name, std::uint32_t* size) {
  const std::string text = Utf16ToUtf8(reinterpret_cast<const char16_t*>(wide), length);
  if (name == nullptr || size == nullptr) return ERROR_INVALID_PARAMETER;
  if (text.size() + 1 > *size) return ERROR_MORE_DATA;
  std::copy(text.begin(), text.end(), name);
  name[text.size()] = '\0';
  *size = static_cast<std::uint32_t>(text.size());
  return ERROR_SUCCESS;
}

// The longest name, in UTF-16 units, the registry allows for a value (with
// its NUL).
constexpr DWORD kValueNameUnits = 16384;
// A large key is read by up to this many threads, each given at least
// kValuesPerReader values: fewer would not pay for its start.
constexpr DWORD kMostReaders = 4;
constexpr DWORD kValuesPerReader = 4096;

}  // namespace

Win32Registry::Win32Registry() : view_(RunningUnderWow64() ? KEY_WOW64_64KEY : 0) {}

long Win32Registry::CreateKeyEx(RegKey parent, const std::string& subKey, std::uint32_t access,
                                RegKey* result) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  LONG rc = RegCreateKeyExW(H(parent), Wide(subKey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            access | view_, nullptr, &key, &disposition);
  if (rc == ERROR_SUCCESS) *result = reinterpret_cast<RegKey>(key);
  return rc;
}

long Win32Registry::OpenKeyEx(RegKey parent, const std::string& subKey, std::uint32_t access,
                              RegKey* result) {
  HKEY key = nullptr;
  LONG rc = RegOpenKeyExW(H(parent), Wide(subKey).c_str(), 0, access | view_, &key);
  if (rc == ERROR_SUCCESS) *result = reinterpret_cast<RegKey>(key);
  return rc;
}

long Win32Registry::SetValueEx(RegKey key, const std::string& name, std::uint32_t type,
                               const std::uint8_t* data, std::uint32_t size) {
  return RegSetValueExW(H(key), WideName(name), 0, type, data, size);
}

long Win32Registry::QueryValueEx(RegKey key, const std::string& name, std::uint32_t* type,
                                 std::uint8_t* data, std::uint32_t* size) {
  DWORD t = 0, s = size ? *size : 0;
  LONG rc = RegQueryValueExW(H(key), Wide(name).c_str(), nullptr, type ? &t : nullptr, data,
                             size ? &s : nullptr);
  if (type) *type = t;
  if (size) *size = s;
  return rc;
}

long Win32Registry::DeleteValue(RegKey key, const std::string& name) {
  return RegDeleteValueW(H(key), Wide(name).c_str());
}

long Win32Registry::DeleteKey(RegKey key, const std::string& subKey) {
  return DeleteKeyInView(H(key), Wide(subKey).c_str(), view_);
}

long Win32Registry::EnumKeyEx(RegKey key, std::uint32_t index, char* name,
                              std::uint32_t* nameSize) {
  wchar_t wide[256];
  DWORD length = 256;
  LONG rc = RegEnumKeyExW(H(key), index, wide, &length, nullptr, nullptr, nullptr, nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  return CopyName(wide, length, name, nameSize);
}

long Win32Registry::QueryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen) {
  DWORD count = 0, longest = 0;
  LONG rc = RegQueryInfoKeyW(H(key), nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr);
  if (subKeys) *subKeys = count;
  if (maxSubKeyLen) *maxSubKeyLen = longest;
  return rc;
}

long Win32Registry::EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                              std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) {
  // One buffer for the longest name, kept: values are enumerated by the
  // hundred thousand.
  static thread_local std::wstring wide(kValueNameUnits, L'\0');
  DWORD n = kValueNameUnits, t = 0, d = dataSize ? *dataSize : 0;
  LONG rc = RegEnumValueW(H(key), index, &wide[0], &n, nullptr, &t, data, dataSize ? &d : nullptr);
  if (type) *type = t;
  if (dataSize) *dataSize = d;
  if (rc != ERROR_SUCCESS) return rc;
  return CopyName(wide.data(), n, name, nameSize);
}

// Each value costs a round trip to the registry, which serves several
// callers while each waits on its own: a large key is read in parts at once,
// the last reading on to the key's end, as one enumeration would.
bool Win32Registry::ReadAllValues(RegKey key, std::vector<RegValue>* values) {
  DWORD count = 0, longestData = 0;
  if (RegQueryInfoKeyW(H(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                       nullptr, &longestData, nullptr, nullptr) != ERROR_SUCCESS)
    return false;
  const DWORD readers = std::max<DWORD>(1, std::min(kMostReaders, count / kValuesPerReader));
  std::vector<std::vector<RegValue>> parts(readers);
  std::vector<std::thread> others;
  for (DWORD i = 1; i < readers; ++i)
    others.emplace_back([&, i] {
      parts[i] =
          ReadValueRange(*this, key, count / readers * i,
                         i + 1 < readers ? count / readers * (i + 1) : UINT32_MAX, longestData);
    });
  parts[0] = ReadValueRange(*this, key, 0, readers > 1 ? count / readers : UINT32_MAX, longestData);
  for (std::thread& other : others) other.join();
  // Values added or deleted meanwhile may be missed or given twice, as by one
  // enumeration while the key changes.
  *values = std::move(parts[0]);
  for (DWORD i = 1; i < readers; ++i)
    values->insert(values->end(), std::make_move_iterator(parts[i].begin()),
                   std::make_move_iterator(parts[i].end()));
  return true;
}

long Win32Registry::CloseKey(RegKey key) {
  return RegCloseKey(H(key));
}

}  // namespace velotune
