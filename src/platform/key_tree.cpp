#include "platform/key_tree.h"

#include <algorithm>

#include "platform/registry_names.h"

namespace velotune {

namespace {
// The registry refuses key names longer than this many UTF-16 units.
constexpr std::size_t kMaxKeyNameLength = 255;
constexpr long kBadPathName = 161;  // ERROR_BAD_PATHNAME
constexpr long kNoAccess = 998;     // ERROR_NOACCESS

bool IsPredefined(RegKey key) {
  return key >= 0x80000000u && key <= 0x80000003u;
}
}  // namespace

bool SplitKeyPath(const std::string& path, std::vector<std::string>* names) {
  names->clear();
  std::string current;
  for (char c : path) {
    if (c != '\\') {
      current += c;
      continue;
    }
    if (current.empty()) return false;  // leading or doubled backslash
    names->push_back(current);
    current.clear();
  }
  if (!current.empty()) names->push_back(current);
  return true;
}

void KeyNode::Index() {
  if (indexed_) return;
  index_.reserve(values_.size());
  for (std::size_t i = 0; i < values_.size(); ++i) index_.emplace(FoldName(values_[i].name), i);
  indexed_ = true;
}

RegValue* KeyNode::FindValue(const std::string& valueName) {
  Index();
  auto it = index_.find(FoldName(valueName));
  return it == index_.end() ? nullptr : &values_[it->second];
}

const RegValue& KeyNode::SetValue(const std::string& valueName, std::uint32_t type,
                                  std::vector<std::uint8_t> data) {
  Index();
  auto inserted = index_.emplace(FoldName(valueName), values_.size());
  if (inserted.second) values_.push_back(RegValue{valueName, type, {}});
  RegValue& value = values_[inserted.first->second];
  value.type = type;
  value.data = std::move(data);
  return value;
}

bool KeyNode::EraseValue(const std::string& valueName) {
  Index();
  auto it = index_.find(FoldName(valueName));
  if (it == index_.end()) return false;
  const std::size_t place = it->second;
  index_.erase(it);
  values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(place));
  for (auto& entry : index_)
    if (entry.second > place) --entry.second;
  return true;
}

void KeyNode::ReplaceValues(std::vector<RegValue> values) {
  values_ = std::move(values);
  index_.clear();
  indexed_ = false;
}

KeyTreeRegistry::KeyTreeRegistry() {
  for (RegistryRoot r : {RegistryRoot::ClassesRoot, RegistryRoot::CurrentUser,
                         RegistryRoot::LocalMachine, RegistryRoot::Users}) {
    nodes_.push_back(std::make_unique<KeyNode>());
    KeyNode* root = nodes_.back().get();
    root->name = RootName(r);
    root->root = r;
    roots_[r] = root;
  }
}

KeyTreeRegistry::~KeyTreeRegistry() = default;

KeyNode* KeyTreeRegistry::Resolve(RegKey key, long* error) const {
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

KeyNode* KeyTreeRegistry::AddNode(KeyNode* parent, const std::string& name, bool fromBase) {
  nodes_.push_back(std::make_unique<KeyNode>());
  KeyNode* node = nodes_.back().get();
  node->name = name;
  node->root = parent->root;
  node->parent = parent;
  node->path_ = JoinKeyPath(parent->path_, name);
  node->fromBase = fromBase;
  node->valuesLoaded = node->childrenLoaded = !fromBase;
  parent->children[FoldName(name)] = node;
  return node;
}

KeyNode* KeyTreeRegistry::Child(KeyNode* node, const std::string& name) {
  LoadChildren(node);
  auto it = node->children.find(FoldName(name));
  return it == node->children.end() ? nullptr : it->second;
}

KeyNode* KeyTreeRegistry::Walk(KeyNode* node, const std::string& path) {
  std::vector<std::string> names;
  if (!SplitKeyPath(path, &names)) return nullptr;
  for (const std::string& name : names) {
    node = Child(node, name);
    if (node == nullptr) return nullptr;
  }
  return node;
}

RegKey KeyTreeRegistry::NewHandle(KeyNode* node) {
  RegKey handle = nextHandle_;
  nextHandle_ += 4;
  handles_[handle] = node;
  return handle;
}

long KeyTreeRegistry::CreateKeyEx(RegKey parent, const std::string& subKey, std::uint32_t,
                                  RegKey* result) {
  long error;
  KeyNode* node = Resolve(parent, &error);
  if (node == nullptr) return error;
  std::vector<std::string> names;
  if (!SplitKeyPath(subKey, &names)) return kBadPathName;
  for (const std::string& name : names)
    if (NameUnits(name) > kMaxKeyNameLength) return regerr::kInvalidParameter;
  if ((error = Refusal(node)) != regerr::kSuccess) return error;
  for (const std::string& name : names) {
    KeyNode* child = Child(node, name);
    if (child == nullptr) {
      child = AddNode(node, name, false);
      if ((error = Refusal(child)) != regerr::kSuccess) {
        node->children.erase(FoldName(name));
        child->deleted = true;
        return error;
      }
      KeyCreated(child);
    }
    node = child;
    if ((error = Refusal(node)) != regerr::kSuccess) return error;
  }
  *result = NewHandle(node);
  return regerr::kSuccess;
}

long KeyTreeRegistry::OpenKeyEx(RegKey parent, const std::string& subKey, std::uint32_t,
                                RegKey* result) {
  long error;
  KeyNode* node = Resolve(parent, &error);
  if (node == nullptr) return error;
  KeyNode* target = Walk(node, subKey);
  if (target == nullptr) return regerr::kFileNotFound;
  if ((error = Refusal(target)) != regerr::kSuccess) return error;
  *result = NewHandle(target);
  return regerr::kSuccess;
}

long KeyTreeRegistry::SetValueEx(RegKey key, const std::string& name, std::uint32_t type,
                                 const std::uint8_t* data, std::uint32_t size) {
  long error;
  KeyNode* node = Resolve(key, &error);
  if (node == nullptr) return error;
  if ((error = Refusal(node)) != regerr::kSuccess) return error;
  if (size > 0 && data == nullptr) return kNoAccess;
  LoadValues(node);
  ValueSet(node, node->SetValue(name, type, std::vector<std::uint8_t>(data, data + size)));
  return regerr::kSuccess;
}

long KeyTreeRegistry::QueryValueEx(RegKey key, const std::string& name, std::uint32_t* type,
                                   std::uint8_t* data, std::uint32_t* size) {
  long error;
  KeyNode* node = Resolve(key, &error);
  if (node == nullptr) return error;
  LoadValues(node);
  const RegValue* value = node->FindValue(name);
  if (value == nullptr) return regerr::kFileNotFound;
  if (data != nullptr && (error = ReadRefusal()) != regerr::kSuccess) return error;
  return CopyValueData(*value, type, data, size);
}

long KeyTreeRegistry::DeleteValue(RegKey key, const std::string& name) {
  long error;
  KeyNode* node = Resolve(key, &error);
  if (node == nullptr) return error;
  if ((error = Refusal(node)) != regerr::kSuccess) return error;
  LoadValues(node);
  const bool found = node->EraseValue(name);
  ValueDeleted(node, name, found);
  return found ? regerr::kSuccess : regerr::kFileNotFound;
}

long KeyTreeRegistry::DeleteKey(RegKey key, const std::string& subKey) {
  long error;
  KeyNode* node = Resolve(key, &error);
  if (node == nullptr) return error;
  KeyNode* target = Walk(node, subKey);
  if (target == nullptr) {
    KeyDeleted(node, subKey, nullptr);
    return regerr::kFileNotFound;
  }
  if (target->parent == nullptr) return regerr::kAccessDenied;
  if ((error = Refusal(target)) != regerr::kSuccess) return error;
  LoadChildren(target);
  if (!target->children.empty()) return regerr::kAccessDenied;  // only leaf keys go
  KeyDeleted(node, subKey, target);
  target->deleted = true;
  target->parent->children.erase(FoldName(target->name));
  return regerr::kSuccess;
}

long KeyTreeRegistry::EnumKeyEx(RegKey key, std::uint32_t index, char* name,
                                std::uint32_t* nameSize) {
  long error;
  KeyNode* node = Resolve(key, &error);
  if (node == nullptr) return error;
  LoadChildren(node);
  if (index >= node->children.size()) return regerr::kNoMoreItems;
  auto it = node->children.begin();
  std::advance(it, index);
  return CopyKeyName(it->second->name, name, nameSize);
}

long KeyTreeRegistry::QueryInfoKey(RegKey key, std::uint32_t* subKeys,
                                   std::uint32_t* maxSubKeyLen) {
  long error;
  KeyNode* node = Resolve(key, &error);
  if (node == nullptr) return error;
  LoadChildren(node);
  std::uint32_t longest = 0;
  for (const auto& child : node->children)
    longest =
        std::max<std::uint32_t>(longest, static_cast<std::uint32_t>(NameUnits(child.second->name)));
  if (subKeys) *subKeys = static_cast<std::uint32_t>(node->children.size());
  if (maxSubKeyLen) *maxSubKeyLen = longest;
  return regerr::kSuccess;
}

long KeyTreeRegistry::EnumValue(RegKey key, std::uint32_t index, char* name,
                                std::uint32_t* nameSize, std::uint32_t* type, std::uint8_t* data,
                                std::uint32_t* dataSize) {
  long error;
  KeyNode* node = Resolve(key, &error);
  if (node == nullptr) return error;
  LoadValues(node);
  if (index >= node->Values().size()) return regerr::kNoMoreItems;
  return CopyEnumeratedValue(node->Values()[index], name, nameSize, type, data, dataSize);
}

const std::vector<RegValue>* KeyTreeRegistry::HeldValues(RegKey key) {
  long error;
  KeyNode* node = Resolve(key, &error);
  if (node == nullptr) return nullptr;
  LoadValues(node);
  return &node->Values();
}

long KeyTreeRegistry::CloseKey(RegKey key) {
  if (IsPredefined(key)) return regerr::kSuccess;
  return handles_.erase(key) ? regerr::kSuccess : regerr::kInvalidHandle;
}

}  // namespace velotune
