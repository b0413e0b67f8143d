#include "platform/win32_registry.h"

#include <windows.h>

#include "platform/wow64.h"

namespace velotune {

namespace {
HKEY H(RegKey key) { return reinterpret_cast<HKEY>(key); }
}  // namespace

Win32Registry::Win32Registry() : view_(RunningUnderWow64() ? KEY_WOW64_64KEY : 0) {}

long Win32Registry::CreateKeyEx(RegKey parent, const std::string& subKey, std::uint32_t access,
                                RegKey* result) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  LONG rc = RegCreateKeyExA(H(parent), subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            access | view_, nullptr, &key, &disposition);
  if (rc == ERROR_SUCCESS) *result = reinterpret_cast<RegKey>(key);
  return rc;
}

long Win32Registry::OpenKeyEx(RegKey parent, const std::string& subKey, std::uint32_t access,
                              RegKey* result) {
  HKEY key = nullptr;
  LONG rc = RegOpenKeyExA(H(parent), subKey.c_str(), 0, access | view_, &key);
  if (rc == ERROR_SUCCESS) *result = reinterpret_cast<RegKey>(key);
  return rc;
}

long Win32Registry::SetValueEx(RegKey key, const std::string& name, std::uint32_t type,
                               const std::uint8_t* data, std::uint32_t size) {
  return RegSetValueExA(H(key), name.c_str(), 0, type, data, size);
}

long Win32Registry::QueryValueEx(RegKey key, const std::string& name, std::uint32_t* type,
                                 std::uint8_t* data, std::uint32_t* size) {
  DWORD t = 0, s = size ? *size : 0;
  LONG rc = RegQueryValueExA(H(key), name.c_str(), nullptr, type ? &t : nullptr, data,
                             size ? &s : nullptr);
  if (type) *type = t;
  if (size) *size = s;
  return rc;
}

long Win32Registry::DeleteValue(RegKey key, const std::string& name) {
  return RegDeleteValueA(H(key), name.c_str());
}

long Win32Registry::DeleteKey(RegKey key, const std::string& subKey) {
  return DeleteKeyInView(H(key), subKey.c_str(), view_);
}

long Win32Registry::EnumKeyEx(RegKey key, std::uint32_t index, char* name,
                              std::uint32_t* nameSize) {
  DWORD s = nameSize ? *nameSize : 0;
  LONG rc = RegEnumKeyExA(H(key), index, name, nameSize ? &s : nullptr, nullptr, nullptr, nullptr,
                          nullptr);
  if (nameSize && rc == ERROR_SUCCESS) *nameSize = s;
  return rc;
}

long Win32Registry::QueryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen) {
  DWORD count = 0, longest = 0;
  LONG rc = RegQueryInfoKeyA(H(key), nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr);
  if (subKeys) *subKeys = count;
  if (maxSubKeyLen) *maxSubKeyLen = longest;
  return rc;
}

long Win32Registry::EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                              std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) {
  DWORD n = nameSize ? *nameSize : 0, t = 0, d = dataSize ? *dataSize : 0;
  LONG rc = RegEnumValueA(H(key), index, name, nameSize ? &n : nullptr, nullptr, &t, data,
                          dataSize ? &d : nullptr);
  if (nameSize && rc == ERROR_SUCCESS) *nameSize = n;
  if (type) *type = t;
  if (dataSize) *dataSize = d;
  return rc;
}

long Win32Registry::CloseKey(RegKey key) { return RegCloseKey(H(key)); }

}  // namespace velotune
