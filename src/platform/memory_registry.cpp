#include "platform/memory_registry.h"

#include <algorithm>
#include <cctype>

namespace velotune {

struct MemoryRegistry::Node {
  std::string name;
  RegistryRoot root = RegistryRoot::CurrentUser;
  Node* parent = nullptr;
  bool deleted = false;
  std::map<std::string, std::shared_ptr<Node>> children;  // by folded name
  std::vector<Value> values;                              // insertion order

  Value* FindValue(const std::string& valueName) {
    std::string folded = FoldName(valueName);
    for (Value& v : values)
      if (FoldName(v.name) == folded) return &v;
    return nullptr;
  }
  // Folded names from the root down to this node.
  std::vector<std::string> FoldedPath() const {
    std::vector<std::string> names;
    for (const Node* n = this; n->parent != nullptr; n = n->parent) names.push_back(FoldName(n->name));
    std::reverse(names.begin(), names.end());
    return names;
  }
};

namespace {
// The registry refuses key names longer than this.
constexpr std::size_t kMaxKeyNameLength = 255;

bool IsPredefined(RegKey key) { return key >= 0x80000000u && key <= 0x80000003u; }

}  // namespace

std::string FoldName(const std::string& name) {
  std::string out = name;
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

bool SplitKeyPath(const std::string& path, std::vector<std::string>* names) {
  names->clear();
  if (path.empty()) return true;
  std::string current;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i] != '\\') {
      current += path[i];
      continue;
    }
    if (current.empty()) return false;  // leading or doubled backslash
    names->push_back(current);
    current.clear();
  }
  if (!current.empty()) names->push_back(current);
  return true;
}

MemoryRegistry::MemoryRegistry() {
  for (RegistryRoot r : {RegistryRoot::ClassesRoot, RegistryRoot::CurrentUser,
                         RegistryRoot::LocalMachine, RegistryRoot::Users}) {
    auto node = std::make_shared<Node>();
    node->name = RootName(r);
    node->root = r;
    roots_[r] = node;
  }
}

MemoryRegistry::~MemoryRegistry() = default;

void MemoryRegistry::Deny(RegistryRoot root, const std::string& path) {
  std::vector<std::string> names;
  SplitKeyPath(path, &names);
  std::string key = std::to_string(static_cast<std::uint32_t>(root));
  for (const std::string& n : names) key += "\\" + FoldName(n);
  denied_.insert(key);
}

void MemoryRegistry::AllowAll() { denied_.clear(); }

bool MemoryRegistry::IsDenied(const Node* node) const {
  if (denied_.empty()) return false;
  std::string key = std::to_string(static_cast<std::uint32_t>(node->root));
  if (denied_.count(key)) return true;
  for (const std::string& n : node->FoldedPath()) {
    key += "\\" + n;
    if (denied_.count(key)) return true;
  }
  return false;
}

MemoryRegistry::Node* MemoryRegistry::Resolve(RegKey key, long* error) const {
  if (IsPredefined(key)) {
    *error = regerr::kSuccess;
    return roots_.at(static_cast<RegistryRoot>(key)).get();
  }
  auto it = handles_.find(key);
  if (it == handles_.end()) {
    *error = regerr::kInvalidHandle;
    return nullptr;
  }
  if (it->second->deleted) {
    *error = regerr::kKeyDeleted;
    return nullptr;
  }
  *error = regerr::kSuccess;
  return it->second.get();
}

MemoryRegistry::Node* MemoryRegistry::Walk(Node* from, const std::string& path) const {
  std::vector<std::string> names;
  if (!SplitKeyPath(path, &names)) return nullptr;
  Node* node = from;
  for (const std::string& n : names) {
    auto it = node->children.find(FoldName(n));
    if (it == node->children.end()) return nullptr;
    node = it->second.get();
  }
  return node;
}

namespace {
std::shared_ptr<MemoryRegistry::Node> SharedOf(MemoryRegistry::Node* node,
                                               const std::map<RegistryRoot, std::shared_ptr<MemoryRegistry::Node>>& roots) {
  if (node->parent == nullptr) return roots.at(node->root);
  return node->parent->children.at(FoldName(node->name));
}
}  // namespace

long MemoryRegistry::CreateKeyEx(RegKey parent, const std::string& subKey, std::uint32_t,
                                 RegKey* result) {
  long error;
  Node* node = Resolve(parent, &error);
  if (node == nullptr) return error;
  std::vector<std::string> names;
  if (!SplitKeyPath(subKey, &names)) return 161;  // ERROR_BAD_PATHNAME
  for (const std::string& n : names)
    if (n.size() > kMaxKeyNameLength) return regerr::kInvalidParameter;
  if (IsDenied(node)) return regerr::kAccessDenied;
  for (const std::string& n : names) {
    auto it = node->children.find(FoldName(n));
    if (it == node->children.end()) {
      auto child = std::make_shared<Node>();
      child->name = n;
      child->root = node->root;
      child->parent = node;
      if (IsDenied(child.get())) return regerr::kAccessDenied;
      it = node->children.emplace(FoldName(n), child).first;
    }
    node = it->second.get();
    if (IsDenied(node)) return regerr::kAccessDenied;
  }
  RegKey handle = nextHandle_;
  nextHandle_ += 4;
  handles_[handle] = SharedOf(node, roots_);
  *result = handle;
  return regerr::kSuccess;
}

long MemoryRegistry::OpenKeyEx(RegKey parent, const std::string& subKey, std::uint32_t,
                               RegKey* result) {
  long error;
  Node* node = Resolve(parent, &error);
  if (node == nullptr) return error;
  std::vector<std::string> names;
  if (!SplitKeyPath(subKey, &names)) return regerr::kFileNotFound;
  Node* target = Walk(node, subKey);
  if (target == nullptr) return regerr::kFileNotFound;
  if (IsDenied(target)) return regerr::kAccessDenied;
  RegKey handle = nextHandle_;
  nextHandle_ += 4;
  handles_[handle] = SharedOf(target, roots_);
  *result = handle;
  return regerr::kSuccess;
}

long MemoryRegistry::SetValueEx(RegKey key, const std::string& name, std::uint32_t type,
                                const std::uint8_t* data, std::uint32_t size) {
  long error;
  Node* node = Resolve(key, &error);
  if (node == nullptr) return error;
  if (IsDenied(node)) return regerr::kAccessDenied;
  if (size > 0 && data == nullptr) return 998;  // ERROR_NOACCESS
  Value* value = node->FindValue(name);
  if (value == nullptr) {
    node->values.push_back(Value{name, type, {}});
    value = &node->values.back();
  }
  value->type = type;
  value->data.assign(data, data + size);
  return regerr::kSuccess;
}

long MemoryRegistry::QueryValueEx(RegKey key, const std::string& name, std::uint32_t* type,
                                  std::uint8_t* data, std::uint32_t* size) {
  long error;
  Node* node = Resolve(key, &error);
  if (node == nullptr) return error;
  Value* value = node->FindValue(name);
  if (value == nullptr) return regerr::kFileNotFound;
  if (data != nullptr && failDataReads_) return regerr::kAccessDenied;
  return CopyValueData(*value, type, data, size);
}

long MemoryRegistry::DeleteValue(RegKey key, const std::string& name) {
  long error;
  Node* node = Resolve(key, &error);
  if (node == nullptr) return error;
  if (IsDenied(node)) return regerr::kAccessDenied;
  std::string folded = FoldName(name);
  auto& values = node->values;
  auto it = std::find_if(values.begin(), values.end(),
                         [&](const Value& v) { return FoldName(v.name) == folded; });
  if (it == values.end()) return regerr::kFileNotFound;
  values.erase(it);
  return regerr::kSuccess;
}

long MemoryRegistry::DeleteKey(RegKey key, const std::string& subKey) {
  long error;
  Node* node = Resolve(key, &error);
  if (node == nullptr) return error;
  Node* target = Walk(node, subKey);
  if (target == nullptr) return regerr::kFileNotFound;
  if (target->parent == nullptr || IsDenied(target)) return regerr::kAccessDenied;
  if (!target->children.empty()) return regerr::kAccessDenied;  // only leaf keys go
  target->deleted = true;
  target->parent->children.erase(FoldName(target->name));  // handles keep the node alive
  return regerr::kSuccess;
}

long MemoryRegistry::EnumKeyEx(RegKey key, std::uint32_t index, char* name,
                               std::uint32_t* nameSize) {
  long error;
  Node* node = Resolve(key, &error);
  if (node == nullptr) return error;
  if (index >= node->children.size()) return regerr::kNoMoreItems;
  auto it = node->children.begin();
  std::advance(it, index);
  return CopyKeyName(it->second->name, name, nameSize);
}

long MemoryRegistry::QueryInfoKey(RegKey key, std::uint32_t* subKeys,
                                  std::uint32_t* maxSubKeyLen) {
  long error;
  Node* node = Resolve(key, &error);
  if (node == nullptr) return error;
  std::uint32_t longest = 0;
  for (const auto& child : node->children)
    longest = std::max<std::uint32_t>(longest, static_cast<std::uint32_t>(child.second->name.size()));
  if (subKeys) *subKeys = static_cast<std::uint32_t>(node->children.size());
  if (maxSubKeyLen) *maxSubKeyLen = longest;
  return regerr::kSuccess;
}

long MemoryRegistry::EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                               std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) {
  long error;
  Node* node = Resolve(key, &error);
  if (node == nullptr) return error;
  if (index >= node->values.size()) return regerr::kNoMoreItems;
  return CopyEnumeratedValue(node->values[index], name, nameSize, type, data, dataSize);
}

long MemoryRegistry::CloseKey(RegKey key) {
  if (IsPredefined(key)) return regerr::kSuccess;
  return handles_.erase(key) ? regerr::kSuccess : regerr::kInvalidHandle;
}

bool MemoryRegistry::KeyExists(RegistryRoot root, const std::string& path) const {
  return Walk(roots_.at(root).get(), path) != nullptr;
}

const MemoryRegistry::Value* MemoryRegistry::FindValue(RegistryRoot root, const std::string& path,
                                                       const std::string& name) const {
  Node* node = Walk(roots_.at(root).get(), path);
  return node ? node->FindValue(name) : nullptr;
}

std::vector<std::string> MemoryRegistry::SubKeyNames(RegistryRoot root,
                                                     const std::string& path) const {
  std::vector<std::string> names;
  if (Node* node = Walk(roots_.at(root).get(), path))
    for (const auto& child : node->children) names.push_back(child.second->name);
  return names;
}

std::vector<MemoryRegistry::Value> MemoryRegistry::Values(RegistryRoot root,
                                                          const std::string& path) const {
  Node* node = Walk(roots_.at(root).get(), path);
  return node ? node->values : std::vector<Value>{};
}

}  // namespace velotune
