// An in-memory registry with the real registry's rules: key and value names
// compared without regard to case (the stored spelling kept), the default
// value under the empty name, values kept as typed bytes, sub-keys enumerated
// in case-insensitive order, and the same error codes as advapi32. Access to a
// chosen root or key (and everything beneath it) can be refused, so that every
// failure path of the registry layer can be tested.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry_backend.h"
#include "platform/registry_values.h"

namespace velotune {

class MemoryRegistry : public RegistryBackend {
 public:
  MemoryRegistry();
  ~MemoryRegistry() override;

  long CreateKeyEx(RegKey parent, const std::string& subKey, std::uint32_t access,
                   RegKey* result) override;
  long OpenKeyEx(RegKey parent, const std::string& subKey, std::uint32_t access,
                 RegKey* result) override;
  long SetValueEx(RegKey key, const std::string& name, std::uint32_t type,
                  const std::uint8_t* data, std::uint32_t size) override;
  long QueryValueEx(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* size) override;
  long DeleteValue(RegKey key, const std::string& name) override;
  long DeleteKey(RegKey key, const std::string& subKey) override;
  long EnumKeyEx(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize) override;
  long QueryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen) override;
  long EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                 std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override;
  long CloseKey(RegKey key) override;

  // Refuses every open and create of the key and of everything beneath it
  // (an empty path refuses the whole root), and writes through the root's
  // predefined handle, with ERROR_ACCESS_DENIED, as the real registry does
  // for a user without rights there.
  void Deny(RegistryRoot root, const std::string& path = "");
  void AllowAll();
  // Makes the data read of a value fail (the size query still succeeds).
  void FailDataReads(bool fail) { failDataReads_ = fail; }

  // Direct inspection for tests, bypassing refusals.
  using Value = RegValue;
  bool KeyExists(RegistryRoot root, const std::string& path) const;
  // Null when the key or value is missing.
  const Value* FindValue(RegistryRoot root, const std::string& path,
                         const std::string& name) const;
  // Sub-key names and values of a key, in enumeration order.
  std::vector<std::string> SubKeyNames(RegistryRoot root, const std::string& path) const;
  std::vector<Value> Values(RegistryRoot root, const std::string& path) const;
  std::size_t OpenHandleCount() const { return handles_.size(); }

 struct Node;  // defined in the source file

 private:
  Node* Resolve(RegKey key, long* error) const;
  Node* Walk(Node* from, const std::string& path) const;
  bool IsDenied(const Node* node) const;

  std::map<RegistryRoot, std::shared_ptr<Node>> roots_;
  std::map<RegKey, std::shared_ptr<Node>> handles_;
  RegKey nextHandle_ = 0x100;
  bool failDataReads_ = false;
  std::set<std::string> denied_;  // "root\\FOLDED\\PATH"
};

// Splits a key path at backslashes. One trailing backslash is accepted, as the
// registry accepts it; an empty name elsewhere makes the path invalid.
bool SplitKeyPath(const std::string& path, std::vector<std::string>* names);

// Upper-cases ASCII letters: the registry's comparison of names.
std::string FoldName(const std::string& name);

}  // namespace velotune
