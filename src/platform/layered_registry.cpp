#include "platform/layered_registry.h"

#include <algorithm>

#include "platform/layered_registry_nodes.h"
#include "platform/memory_registry.h"

namespace velotune {

namespace {
constexpr std::size_t kMaxKeyNameLength = 255;
constexpr long kBadPathName = 161;  // ERROR_BAD_PATHNAME
constexpr long kNoAccess = 998;     // ERROR_NOACCESS

bool IsPredefined(RegKey key) {
  return key >= 0x80000000u && key <= 0x80000003u;
}

std::string RecordKey(RegistryRoot root, const std::string& path) {
  return std::to_string(static_cast<std::uint32_t>(root)) + "|" + FoldName(path);
}
}  // namespace

LayeredRegistry::LayeredRegistry(RegistryBackend& base) : base_(base) {
  for (RegistryRoot r : {RegistryRoot::ClassesRoot, RegistryRoot::CurrentUser,
                         RegistryRoot::LocalMachine, RegistryRoot::Users}) {
    nodes_.push_back(std::make_unique<Node>());
    Node* root = nodes_.back().get();
    root->name = RootName(r);
    root->root = r;
    root->fromBase = true;
    roots_[r] = root;
  }
}

LayeredRegistry::~LayeredRegistry() = default;

LayeredRegistry::Node* LayeredRegistry::Resolve(RegKey key, long* error) const {
  *error = regerr::kSuccess;
  if (IsPredefined(key)) return roots_.at(static_cast<RegistryRoot>(key));
  auto it = handles_.find(key);
  if (it == handles_.end()) {
    *error = regerr::kInvalidHandle;
    return nullptr;
  }
  if (it->second->deleted) {
    *error = regerr::kKeyDeleted;
    return nullptr;
  }
  return it->second;
}

LayeredRegistry::Node* LayeredRegistry::AddNode(Node* parent, const std::string& name,
                                                bool fromBase) {
  nodes_.push_back(std::make_unique<Node>());
  Node* node = nodes_.back().get();
  node->name = name;
  node->root = parent->root;
  node->parent = parent;
  node->fromBase = fromBase;
  node->valuesLoaded = node->childrenLoaded = !fromBase;
  parent->children[FoldName(name)] = node;
  return node;
}

void LayeredRegistry::LoadChildren(Node* node) {
  if (node->childrenLoaded) return;
  node->childrenLoaded = true;
  RegKey key = 0;
  if (base_.OpenKeyEx(RootKey(node->root), node->Path(), kKeyRead, &key) != regerr::kSuccess)
    return;
  for (const std::string& name : ReadSubKeyNames(base_, key)) AddNode(node, name, true);
  base_.CloseKey(key);
}

void LayeredRegistry::LoadValues(Node* node) {
  if (node->valuesLoaded) return;
  node->valuesLoaded = true;
  RegKey key = 0;
  if (base_.OpenKeyEx(RootKey(node->root), node->Path(), kKeyRead, &key) != regerr::kSuccess)
    return;
  node->values = ReadValues(base_, key);
  base_.CloseKey(key);
}

LayeredRegistry::Node* LayeredRegistry::Child(Node* node, const std::string& name) {
  LoadChildren(node);
  auto it = node->children.find(FoldName(name));
  return it == node->children.end() ? nullptr : it->second;
}

LayeredRegistry::Node* LayeredRegistry::Walk(Node* node, const std::string& path) {
  std::vector<std::string> names;
  if (!SplitKeyPath(path, &names)) return nullptr;
  for (const std::string& name : names) {
    node = Child(node, name);
    if (node == nullptr) return nullptr;
  }
  return node;
}

RegKey LayeredRegistry::NewHandle(Node* node) {
  RegKey handle = nextHandle_;
  nextHandle_ += 4;
  handles_[handle] = node;
  return handle;
}

LayeredRegistry::Record& LayeredRegistry::RecordFor(const Node* node) {
  const std::string path = node->Path();
  std::unique_ptr<Record>& record = records_[RecordKey(node->root, path)];
  if (!record) {
    record = std::make_unique<Record>();
    record->root = node->root;
    record->path = path;
  }
  return *record;
}

void LayeredRegistry::Note(RegOperation operation) {
  operations_.push_back(std::move(operation));
  if (observer_) observer_(operations_.back());
}

long LayeredRegistry::CreateKeyEx(RegKey parent, const std::string& subKey, std::uint32_t,
                                  RegKey* result) {
  long error;
  Node* node = Resolve(parent, &error);
  if (node == nullptr) return error;
  std::vector<std::string> names;
  if (!SplitKeyPath(subKey, &names)) return kBadPathName;
  for (const std::string& name : names)
    if (name.size() > kMaxKeyNameLength) return regerr::kInvalidParameter;
  for (const std::string& name : names) {
    Node* child = Child(node, name);
    if (child == nullptr) {
      child = AddNode(node, name, false);
      RecordFor(child).created = true;
      Note({RegOperation::Kind::kCreateKey, child->root, child->Path(), {}, true});
    }
    node = child;
  }
  *result = NewHandle(node);
  return regerr::kSuccess;
}

long LayeredRegistry::OpenKeyEx(RegKey parent, const std::string& subKey, std::uint32_t,
                                RegKey* result) {
  long error;
  Node* node = Resolve(parent, &error);
  if (node == nullptr) return error;
  Node* target = Walk(node, subKey);
  if (target == nullptr) return regerr::kFileNotFound;
  *result = NewHandle(target);
  return regerr::kSuccess;
}

long LayeredRegistry::SetValueEx(RegKey key, const std::string& name, std::uint32_t type,
                                 const std::uint8_t* data, std::uint32_t size) {
  long error;
  Node* node = Resolve(key, &error);
  if (node == nullptr) return error;
  if (size > 0 && data == nullptr) return kNoAccess;
  LoadValues(node);
  RegValue value{name, type, std::vector<std::uint8_t>(data, data + size)};
  auto it = node->FindValue(name);
  if (it == node->values.end()) {
    node->values.push_back(value);
  } else {
    it->type = type;
    it->data = value.data;
  }
  Record& record = RecordFor(node);
  const std::string folded = FoldName(name);
  if (std::none_of(record.values.begin(), record.values.end(),
                   [&](const std::string& n) { return FoldName(n) == folded; }))
    record.values.push_back(name);
  Note({RegOperation::Kind::kSetValue, node->root, node->Path(), value, true});
  return regerr::kSuccess;
}

long LayeredRegistry::QueryValueEx(RegKey key, const std::string& name, std::uint32_t* type,
                                   std::uint8_t* data, std::uint32_t* size) {
  long error;
  Node* node = Resolve(key, &error);
  if (node == nullptr) return error;
  LoadValues(node);
  auto it = node->FindValue(name);
  if (it == node->values.end()) return regerr::kFileNotFound;
  return CopyValueData(*it, type, data, size);
}

long LayeredRegistry::DeleteValue(RegKey key, const std::string& name) {
  long error;
  Node* node = Resolve(key, &error);
  if (node == nullptr) return error;
  LoadValues(node);
  auto it = node->FindValue(name);
  const bool found = it != node->values.end();
  if (found) {
    node->values.erase(it);
    Record& record = RecordFor(node);
    const std::string folded = FoldName(name);
    if (std::none_of(record.values.begin(), record.values.end(),
                     [&](const std::string& n) { return FoldName(n) == folded; }))
      record.values.push_back(name);
  }
  Note({RegOperation::Kind::kDeleteValue, node->root, node->Path(), RegValue{name, 0, {}}, found});
  return found ? regerr::kSuccess : regerr::kFileNotFound;
}

long LayeredRegistry::DeleteKey(RegKey key, const std::string& subKey) {
  long error;
  Node* node = Resolve(key, &error);
  if (node == nullptr) return error;
  Node* target = Walk(node, subKey);
  if (target == nullptr) {
    Note(
        {RegOperation::Kind::kDeleteKey, node->root, JoinKeyPath(node->Path(), subKey), {}, false});
    return regerr::kFileNotFound;
  }
  if (target->parent == nullptr) return regerr::kAccessDenied;
  LoadChildren(target);
  if (!target->children.empty()) return regerr::kAccessDenied;  // only leaf keys go
  RecordFor(target).deleted = true;
  Note({RegOperation::Kind::kDeleteKey, target->root, target->Path(), {}, true});
  target->deleted = true;
  target->parent->children.erase(FoldName(target->name));
  return regerr::kSuccess;
}

long LayeredRegistry::EnumKeyEx(RegKey key, std::uint32_t index, char* name,
                                std::uint32_t* nameSize) {
  long error;
  Node* node = Resolve(key, &error);
  if (node == nullptr) return error;
  LoadChildren(node);
  if (index >= node->children.size()) return regerr::kNoMoreItems;
  auto it = node->children.begin();
  std::advance(it, index);
  return CopyKeyName(it->second->name, name, nameSize);
}

long LayeredRegistry::QueryInfoKey(RegKey key, std::uint32_t* subKeys,
                                   std::uint32_t* maxSubKeyLen) {
  long error;
  Node* node = Resolve(key, &error);
  if (node == nullptr) return error;
  LoadChildren(node);
  std::uint32_t longest = 0;
  for (const auto& child : node->children)
    longest =
        std::max<std::uint32_t>(longest, static_cast<std::uint32_t>(child.second->name.size()));
  if (subKeys) *subKeys = static_cast<std::uint32_t>(node->children.size());
  if (maxSubKeyLen) *maxSubKeyLen = longest;
  return regerr::kSuccess;
}

long LayeredRegistry::EnumValue(RegKey key, std::uint32_t index, char* name,
                                std::uint32_t* nameSize, std::uint32_t* type, std::uint8_t* data,
                                std::uint32_t* dataSize) {
  long error;
  Node* node = Resolve(key, &error);
  if (node == nullptr) return error;
  LoadValues(node);
  if (index >= node->values.size()) return regerr::kNoMoreItems;
  return CopyEnumeratedValue(node->values[index], name, nameSize, type, data, dataSize);
}

long LayeredRegistry::CloseKey(RegKey key) {
  if (IsPredefined(key)) return regerr::kSuccess;
  return handles_.erase(key) ? regerr::kSuccess : regerr::kInvalidHandle;
}

}  // namespace velotune
