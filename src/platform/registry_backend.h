// The registry as the program needs it: a handful of calls modelled one to one
// on advapi32's functions, so that the Win32 backend is a thin pass-through
// and the memory backend can reproduce the real registry's behaviour,
// including its error codes. Names are UTF-8 (registry_names.h) and every
// size of a name is in its bytes; value data is the registry's own bytes,
// UTF-16LE for the string types.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velotune {

struct RegValue;  // registry_values.h

// An open key handle. The predefined roots are the Windows handle values.
using RegKey = std::uintptr_t;

enum class RegistryRoot : std::uint32_t {
  ClassesRoot = 0x80000000u,
  CurrentUser = 0x80000001u,
  LocalMachine = 0x80000002u,
  Users = 0x80000003u,
};

inline RegKey RootKey(RegistryRoot root) {
  return static_cast<RegKey>(root);
}
// "HKEY_CURRENT_USER" and so on.
const char* RootName(RegistryRoot root);
// Accepts the long names and the short forms HKCR, HKCU, HKLM, HKU.
bool ParseRootName(const std::string& text, RegistryRoot* root);

// Windows error codes the registry calls return.
namespace regerr {
constexpr long kSuccess = 0;
constexpr long kFileNotFound = 2;
constexpr long kAccessDenied = 5;
constexpr long kInvalidHandle = 6;
constexpr long kInvalidParameter = 87;
constexpr long kMoreData = 234;
constexpr long kNoMoreItems = 259;
constexpr long kKeyDeleted = 1018;
}  // namespace regerr

// Value types.
namespace regtype {
constexpr std::uint32_t kNone = 0;
constexpr std::uint32_t kSz = 1;
constexpr std::uint32_t kExpandSz = 2;
constexpr std::uint32_t kBinary = 3;
constexpr std::uint32_t kDword = 4;
constexpr std::uint32_t kMultiSz = 7;
constexpr std::uint32_t kQword = 11;
}  // namespace regtype

constexpr std::uint32_t kKeyAllAccess = 0xF003F;

// The bytes a name of that many UTF-16 units may take in UTF-8, with its NUL.
inline std::uint32_t MaxNameBytes(std::uint32_t units) {
  return units * 3 + 1;
}
constexpr std::uint32_t kKeyRead = 0x20019;

class RegistryBackend {
 public:
  virtual ~RegistryBackend() = default;

  // RegCreateKeyExW: non-volatile, no class. Creates every missing level.
  virtual long CreateKeyEx(RegKey parent, const std::string& subKey, std::uint32_t access,
                           RegKey* result) = 0;
  // RegOpenKeyExW.
  virtual long OpenKeyEx(RegKey parent, const std::string& subKey, std::uint32_t access,
                         RegKey* result) = 0;
  // RegSetValueExW.
  virtual long SetValueEx(RegKey key, const std::string& name, std::uint32_t type,
                          const std::uint8_t* data, std::uint32_t size) = 0;
  // RegQueryValueExW: with data null only the type and size are returned;
  // with a buffer too small, kMoreData and the size needed.
  virtual long QueryValueEx(RegKey key, const std::string& name, std::uint32_t* type,
                            std::uint8_t* data, std::uint32_t* size) = 0;
  // RegDeleteValueW.
  virtual long DeleteValue(RegKey key, const std::string& name) = 0;
  // RegDeleteKeyW: the key must have no sub-keys.
  virtual long DeleteKey(RegKey key, const std::string& subKey) = 0;
  // RegEnumKeyExW: *nameSize is the buffer size in bytes (with the NUL)
  // on entry and the name's length (without it) on success.
  virtual long EnumKeyEx(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize) = 0;
  // RegQueryInfoKeyW, the two counts the registry layer reads; the longest
  // sub-key name in UTF-16 units (MaxNameBytes gives a buffer for it).
  virtual long QueryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen) = 0;
  // RegEnumValueW: *nameSize in bytes (with the NUL) on entry and the
  // name's length on success; *dataSize in bytes. kMoreData when either
  // buffer is too small.
  virtual long EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                         std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) = 0;
  // RegCloseKey.
  virtual long CloseKey(RegKey key) = 0;

  // Not a registry call: the values of an open key in enumeration order,
  // where the backend keeps them itself, so that they can be looked at
  // without a copy of each (valid until the key changes); null where they
  // must be enumerated. ListedValues (registry_values.h) takes either way.
  virtual const std::vector<RegValue>* HeldValues(RegKey) { return nullptr; }
  // Not a registry call: every value of an open key in enumeration order,
  // read at once where the backend has a faster way than one EnumValue after
  // another; false where it has none (ReadValues then enumerates).
  virtual bool ReadAllValues(RegKey, std::vector<RegValue>*) { return false; }
};

// Deletes the key beneath `base` with its whole sub-tree: each sub-key, from
// the last index down, by the same procedure, then the key itself. True when
// the final delete succeeded; a missing key gives false.
bool DeleteKeyTree(RegistryBackend& registry, RegKey base, const std::string& path);

}  // namespace velotune
