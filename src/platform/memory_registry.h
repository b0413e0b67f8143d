// An in-memory registry with the real registry's rules: key and value names
// compared without regard to case (the stored spelling kept), the default
// value under the empty name, values kept as typed bytes, sub-keys enumerated
// in case-insensitive order, and the same error codes as advapi32. Access to a
// chosen root or key (and everything beneath it) can be refused, so that every
// failure path of the registry layer can be tested.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/key_tree.h"
#include "platform/registry_names.h"
#include "platform/registry_values.h"

namespace velotune {

class MemoryRegistry : public KeyTreeRegistry {
 public:
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
  const Value* FindValue(RegistryRoot root, const std::string& path, const std::string& name) const;
  // Sub-key names and values of a key, in enumeration order.
  std::vector<std::string> SubKeyNames(RegistryRoot root, const std::string& path) const;
  std::vector<Value> Values(RegistryRoot root, const std::string& path) const;

 protected:
  long Refusal(const KeyNode* node) const override;
  long ReadRefusal() const override {
    return failDataReads_ ? regerr::kAccessDenied : regerr::kSuccess;
  }

 private:
  KeyNode* Find(RegistryRoot root, const std::string& path) const;

  bool failDataReads_ = false;
  std::set<std::string> denied_;  // "root\\FOLDED\\PATH"
};

}  // namespace velotune
