// Whole values and keys read through any registry backend, and their text in
// the registry editor's script format (version 5), so that a state can be shown,
// compared and written out as a script that puts it back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry_backend.h"

namespace velotune {

struct RegValue {
  std::string name;
  std::uint32_t type = regtype::kNone;
  std::vector<std::uint8_t> data;
};

// Same type and bytes (names are not compared).
bool SameData(const RegValue& a, const RegValue& b);

// How a registry hands out what it holds, for backends that keep it
// themselves: the data of a value (RegQueryValueExW), a sub-key's name
// (RegEnumKeyExW) and a value with its name (RegEnumValueW), each with
// kMoreData and the size needed when a buffer is too small.
long CopyValueData(const RegValue& value, std::uint32_t* type, std::uint8_t* data,
                   std::uint32_t* size);
long CopyKeyName(const std::string& keyName, char* name, std::uint32_t* nameSize);
long CopyEnumeratedValue(const RegValue& value, char* name, std::uint32_t* nameSize,
                         std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize);

// One value of an open key; false when it is missing or cannot be read.
bool ReadValue(RegistryBackend& registry, RegKey key, const std::string& name, RegValue* value);
// Every value of an open key, in enumeration order.
std::vector<RegValue> ReadValues(RegistryBackend& registry, RegKey key);
// The values from index `first` up to `end` (or the key's end), one
// EnumValue after another, with a data buffer of at least `dataSize` bytes,
// grown when a longer value comes.
std::vector<RegValue> ReadValueRange(RegistryBackend& registry, RegKey key, std::uint32_t first,
                                     std::uint32_t end, std::uint32_t dataSize);

// The same, to be looked at while the key stays as it is: where the
// registry keeps them (HeldValues), or read.
class ListedValues {
 public:
  ListedValues() = default;
  ListedValues(RegistryBackend& registry, RegKey key);

  const std::vector<RegValue>& All() const { return held_ ? *held_ : read_; }

 private:
  const std::vector<RegValue>* held_ = nullptr;
  std::vector<RegValue> read_;
};
// Every sub-key name of an open key, in enumeration order.
std::vector<std::string> ReadSubKeyNames(RegistryBackend& registry, RegKey key);

// The same through a path from a root.
bool KeyExistsAt(RegistryBackend& registry, RegistryRoot root, const std::string& path);
bool ValueAt(RegistryBackend& registry, RegistryRoot root, const std::string& path,
             const std::string& name, RegValue* value);

// "HKEY_CURRENT_USER\Control Panel\Desktop" (a trailing backslash dropped).
std::string FullKeyName(RegistryRoot root, const std::string& path);
// A path joined with a sub-key name.
std::string JoinKeyPath(const std::string& path, const std::string& name);

// The data as a script writes it: dword:0000002a, "text", hex:01,02 or
// hex(7):..., on one line.
std::string ScriptData(const RegValue& value);
// The value's line in a script ("name"=data, @=data for the default value),
// hex data wrapped with continuation lines as the registry editor does.
void AppendScriptValue(const RegValue& value, std::vector<std::string>* lines);
// The line that deletes the value: "name"=- or @=-.
std::string ScriptValueDeletion(const std::string& name);
// An empty line, "[key]", its values, then each sub-key the same way; nothing
// when the key does not exist.
void AppendKeyTree(RegistryBackend& registry, RegistryRoot root, const std::string& path,
                   std::vector<std::string>* lines);

}  // namespace velotune
