// The real registry: advapi32's wide calls, names converted between the
// program's UTF-8 and UTF-16, data passed through as the registry's bytes. Under
// WOW64 every open, create and delete goes to the 64-bit view, the registry
// that 64-bit Windows itself reads; HKLM\Software would otherwise land under
// Wow6432Node.
#pragma once

#include "platform/registry_backend.h"

namespace velotune {

class Win32Registry : public RegistryBackend {
 public:
  Win32Registry();

  long CreateKeyEx(RegKey parent, const std::string& subKey, std::uint32_t access,
                   RegKey* result) override;
  long OpenKeyEx(RegKey parent, const std::string& subKey, std::uint32_t access,
                 RegKey* result) override;
  long SetValueEx(RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override;
  long QueryValueEx(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* size) override;
  long DeleteValue(RegKey key, const std::string& name) override;
  long DeleteKey(RegKey key, const std::string& subKey) override;
  long EnumKeyEx(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize) override;
  long QueryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen) override;
  long EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                 std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override;
  long CloseKey(RegKey key) override;
  bool ReadAllValues(RegKey key, std::vector<RegValue>* values) override;

 private:
  std::uint32_t view_;  // KEY_WOW64_64KEY under WOW64, else 0
};

}  // namespace velotune
