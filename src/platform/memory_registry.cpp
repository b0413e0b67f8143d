#include "platform/memory_registry.h"

namespace velotune {

namespace {
std::string DeniedKey(RegistryRoot root) {
  return std::to_string(static_cast<std::uint32_t>(root));
}
}  // namespace

void MemoryRegistry::Deny(RegistryRoot root, const std::string& path) {
  std::vector<std::string> names;
  SplitKeyPath(path, &names);
  std::string key = DeniedKey(root);
  for (const std::string& n : names) key += "\\" + FoldName(n);
  denied_.insert(key);
}

void MemoryRegistry::AllowAll() {
  denied_.clear();
}

long MemoryRegistry::Refusal(const KeyNode* node) const {
  if (denied_.empty()) return regerr::kSuccess;
  std::vector<std::string> names;
  for (const KeyNode* n = node; n->parent != nullptr; n = n->parent)
    names.push_back(FoldName(n->name));
  std::string key = DeniedKey(node->root);
  if (denied_.count(key)) return regerr::kAccessDenied;
  for (auto it = names.rbegin(); it != names.rend(); ++it) {
    key += "\\" + *it;
    if (denied_.count(key)) return regerr::kAccessDenied;
  }
  return regerr::kSuccess;
}

KeyNode* MemoryRegistry::Find(RegistryRoot root, const std::string& path) const {
  // The memory registry loads nothing, so walking does not change it.
  return const_cast<MemoryRegistry*>(this)->Walk(RootNode(root), path);
}

bool MemoryRegistry::KeyExists(RegistryRoot root, const std::string& path) const {
  return Find(root, path) != nullptr;
}

const MemoryRegistry::Value* MemoryRegistry::FindValue(RegistryRoot root, const std::string& path,
                                                       const std::string& name) const {
  KeyNode* node = Find(root, path);
  return node ? node->FindValue(name) : nullptr;
}

std::vector<std::string> MemoryRegistry::SubKeyNames(RegistryRoot root,
                                                     const std::string& path) const {
  std::vector<std::string> names;
  if (KeyNode* node = Find(root, path))
    for (const auto& child : node->children) names.push_back(child.second->name);
  return names;
}

std::vector<MemoryRegistry::Value> MemoryRegistry::Values(RegistryRoot root,
                                                          const std::string& path) const {
  KeyNode* node = Find(root, path);
  return node ? node->Values() : std::vector<Value>{};
}

}  // namespace velotune
