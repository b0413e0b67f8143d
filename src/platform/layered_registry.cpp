#include "platform/layered_registry.h"

#include "platform/layered_registry_nodes.h"

namespace velotune {

namespace {
std::string RecordKey(RegistryRoot root, const std::string& path) {
  return std::to_string(static_cast<std::uint32_t>(root)) + "|" + FoldName(path);
}
}  // namespace

LayeredRegistry::LayeredRegistry(RegistryBackend& base) : base_(base) {
  for (RegistryRoot r : {RegistryRoot::ClassesRoot, RegistryRoot::CurrentUser,
                         RegistryRoot::LocalMachine, RegistryRoot::Users}) {
    KeyNode* root = RootNode(r);
    root->fromBase = true;
    root->valuesLoaded = root->childrenLoaded = false;
  }
}

LayeredRegistry::~LayeredRegistry() = default;

void LayeredRegistry::LoadChildren(KeyNode* node) {
  if (node->childrenLoaded) return;
  node->childrenLoaded = true;
  RegKey key = 0;
  if (base_.OpenKeyEx(RootKey(node->root), node->Path(), kKeyRead, &key) != regerr::kSuccess)
    return;
  for (const std::string& name : ReadSubKeyNames(base_, key)) AddNode(node, name, true);
  base_.CloseKey(key);
}

void LayeredRegistry::LoadValues(KeyNode* node) {
  if (node->valuesLoaded) return;
  node->valuesLoaded = true;
  RegKey key = 0;
  if (base_.OpenKeyEx(RootKey(node->root), node->Path(), kKeyRead, &key) != regerr::kSuccess)
    return;
  node->ReplaceValues(ReadValues(base_, key));
  base_.CloseKey(key);
}

LayeredRegistry::Record& LayeredRegistry::RecordFor(const KeyNode* node) {
  Record*& known = recordOf_[node];
  if (known) return *known;
  const std::string& path = node->Path();
  std::unique_ptr<Record>& record = records_[RecordKey(node->root, path)];
  if (!record) {
    record = std::make_unique<Record>();
    record->root = node->root;
    record->path = path;
  }
  known = record.get();
  return *record;
}

void LayeredRegistry::Note(RegOperation operation) {
  if (observer_) observer_(std::move(operation));
}

void LayeredRegistry::KeyCreated(KeyNode* node) {
  RecordFor(node).created = true;
  Note({RegOperation::Kind::kCreateKey, node->root, node->Path(), {}, true});
}

void LayeredRegistry::NoteValue(const KeyNode* node, const std::string& name) {
  // A key the layer made or deleted is restored and compared whole: its
  // values need no list of their own.
  Record& record = RecordFor(node);
  if (!record.created && !record.deleted) record.NoteValue(name);
}

void LayeredRegistry::ValueSet(KeyNode* node, const RegValue& value) {
  NoteValue(node, value.name);
  if (observer_) Note({RegOperation::Kind::kSetValue, node->root, node->Path(), value, true});
}

void LayeredRegistry::ValueDeleted(KeyNode* node, const std::string& name, bool found) {
  if (found) NoteValue(node, name);
  Note({RegOperation::Kind::kDeleteValue, node->root, node->Path(), RegValue{name, 0, {}}, found});
}

void LayeredRegistry::KeyDeleted(KeyNode* parent, const std::string& path, KeyNode* node) {
  if (node == nullptr) {
    Note({RegOperation::Kind::kDeleteKey,
          parent->root,
          JoinKeyPath(parent->Path(), path),
          {},
          false});
    return;
  }
  RecordFor(node).deleted = true;
  Note({RegOperation::Kind::kDeleteKey, node->root, node->Path(), {}, true});
}

}  // namespace velotune
