#include "tweaks_e2e/registry_probe.h"

#include <cstdio>

#include "support/system_registry.h"

namespace velotune {

std::string DwordText(DWORD value) {
  return "dword:" + std::to_string(value);
}

std::string StringText(const std::string& text) {
  return "\"" + text + "\"";
}

std::string HexText(DWORD type, const std::vector<std::uint8_t>& bytes) {
  std::string out = "hex(" + std::to_string(type) + "):";
  char buf[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(buf, sizeof buf, i ? ",%02x" : "%02x", bytes[i]);
    out += buf;
  }
  return out;
}

std::string ProbedValue::Show() const {
  if (!found) return "missing";
  if (type == REG_DWORD && data.size() == 4) {
    return DwordText(data[0] | data[1] << 8 | data[2] << 16 | static_cast<DWORD>(data[3]) << 24);
  }
  if (type == REG_SZ && !data.empty() && data.back() == 0) {
    return StringText(std::string(data.begin(), data.end() - 1));
  }
  return HexText(type, data);
}

ProbedValue ReadValue(HKEY root, const std::string& key, const std::string& name) {
  ProbedValue value;
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ | SystemView(), &handle) != ERROR_SUCCESS)
    return value;
  DWORD size = 0;
  if (RegQueryValueExA(handle, name.c_str(), nullptr, &value.type, nullptr, &size) ==
      ERROR_SUCCESS) {
    value.data.resize(size);
    value.found = RegQueryValueExA(handle, name.c_str(), nullptr, &value.type,
                                   size ? value.data.data() : nullptr, &size) == ERROR_SUCCESS;
    value.data.resize(size);
  }
  RegCloseKey(handle);
  return value;
}

bool KeyExists(HKEY root, const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ | SystemView(), &handle) != ERROR_SUCCESS)
    return false;
  RegCloseKey(handle);
  return true;
}

void DeleteTree(HKEY root, const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS | SystemView(), &handle) != ERROR_SUCCESS)
    return;
  char name[256];
  for (;;) {
    DWORD size = sizeof name;
    if (RegEnumKeyExA(handle, 0, name, &size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    DeleteTree(handle, name);
  }
  RegCloseKey(handle);
  RegDeleteKeyExA(root, key.c_str(), SystemView(), 0);
}

void DeleteValue(HKEY root, const std::string& key, const std::string& name) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS | SystemView(), &handle) != ERROR_SUCCESS)
    return;
  RegDeleteValueA(handle, name.c_str());
  RegCloseKey(handle);
}

namespace {
void Set(HKEY root, const std::string& key, const std::string& name, DWORD type, const void* data,
         DWORD size) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | SystemView(), nullptr,
                      &handle, nullptr) != ERROR_SUCCESS) {
    return;
  }
  RegSetValueExA(handle, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(handle);
}
}  // namespace

void SetDword(HKEY root, const std::string& key, const std::string& name, DWORD value) {
  Set(root, key, name, REG_DWORD, &value, sizeof value);
}

void SetString(HKEY root, const std::string& key, const std::string& name,
               const std::string& text) {
  Set(root, key, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void CreateKey(HKEY root, const std::string& key) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | SystemView(), nullptr,
                      &handle, nullptr) == ERROR_SUCCESS) {
    RegCloseKey(handle);
  }
}

}  // namespace velotune
