// The layer's own bookkeeping, shared by its operations and its reports.
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "platform/layered_registry.h"

namespace velotune {

// What the layer did to one key: made it, deleted it, which of its values it
// set or deleted.
struct LayeredRegistry::Record {
  RegistryRoot root = RegistryRoot::CurrentUser;
  std::string path;
  bool created = false;
  bool deleted = false;
  std::vector<std::string> values;
  std::unordered_set<std::string> folded;  // the values' folded names

  void NoteValue(const std::string& name) {
    if (folded.insert(FoldName(name)).second) values.push_back(name);
  }
};

}  // namespace velotune
