// The layer's own bookkeeping, shared by its operations and its reports.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/layered_registry.h"
#include "platform/memory_registry.h"

namespace velotune {

// A key as the layer sees it. A node that mirrors a key underneath loads that
// key's values and sub-key names the first time they are needed; from then on
// the node's own lists are the truth.
struct LayeredRegistry::Node {
  std::string name;  // spelled as underneath, or as created
  RegistryRoot root = RegistryRoot::CurrentUser;
  Node* parent = nullptr;
  bool deleted = false;
  bool fromBase = false;
  bool valuesLoaded = false;
  bool childrenLoaded = false;
  std::vector<RegValue> values;           // enumeration order
  std::map<std::string, Node*> children;  // by folded name: the registry's order

  std::string Path() const {
    if (parent == nullptr) return "";
    return JoinKeyPath(parent->Path(), name);
  }
  std::vector<RegValue>::iterator FindValue(const std::string& valueName) {
    const std::string folded = FoldName(valueName);
    return std::find_if(values.begin(), values.end(),
                        [&](const RegValue& v) { return FoldName(v.name) == folded; });
  }
};

// What the layer did to one key: made it, deleted it, which of its values it
// set or deleted.
struct LayeredRegistry::Record {
  RegistryRoot root = RegistryRoot::CurrentUser;
  std::string path;
  bool created = false;
  bool deleted = false;
  std::vector<std::string> values;
};

}  // namespace velotune
