// What a layer did, set against the registry underneath: the touched items,
// the net changes, and the script that restores the state underneath.
#include <algorithm>

#include "platform/layered_registry.h"
#include "platform/layered_registry_nodes.h"
#include "platform/memory_registry.h"

namespace velotune {

namespace {

std::vector<RegValue> ValuesAt(RegistryBackend& registry, RegistryRoot root,
                               const std::string& path, std::vector<std::string>* children) {
  std::vector<RegValue> values;
  RegKey key = 0;
  if (registry.OpenKeyEx(RootKey(root), path, kKeyRead, &key) != regerr::kSuccess) return values;
  values = ReadValues(registry, key);
  if (children) *children = ReadSubKeyNames(registry, key);
  registry.CloseKey(key);
  return values;
}

const RegValue* FindByName(const std::vector<RegValue>& values, const std::string& name) {
  const std::string folded = FoldName(name);
  for (const RegValue& v : values)
    if (FoldName(v.name) == folded) return &v;
  return nullptr;
}

RegChange ValueChange(RegistryRoot root, const std::string& path, const std::string& name,
                      const RegValue* before, const RegValue* after) {
  RegChange change;
  change.item = RegItem{root, path, false, name};
  change.existedBefore = before != nullptr;
  change.existsAfter = after != nullptr;
  if (before) change.before = *before;
  if (after) change.after = *after;
  return change;
}

}  // namespace

bool LayeredRegistry::Covered(const std::vector<std::string>& wholes,
                              const std::string& recordKey) {
  return std::any_of(wholes.begin(), wholes.end(), [&](const std::string& whole) {
    return recordKey.size() > whole.size() && recordKey.compare(0, whole.size(), whole) == 0 &&
           recordKey[whole.size()] == '\\';
  });
}

bool LayeredRegistry::ExistsHere(RegistryRoot root, const std::string& path) {
  return Walk(roots_.at(root), path) != nullptr;
}

std::vector<RegItem> LayeredRegistry::Touched() const {
  std::vector<RegItem> items;
  for (const auto& entry : records_) {
    const Record& record = *entry.second;
    if (record.created || record.deleted)
      items.push_back(RegItem{record.root, record.path, true, ""});
    for (const std::string& name : record.values)
      items.push_back(RegItem{record.root, record.path, false, name});
  }
  return items;
}

// The whole key, underneath against the layer: its existence, every value and
// every sub-key.
void LayeredRegistry::CompareTree(RegistryRoot root, const std::string& path,
                                  std::vector<RegChange>* changes) {
  const bool before = KeyExistsAt(base_, root, path);
  const bool after = ExistsHere(root, path);
  if (!before && !after) return;
  if (before != after) {
    RegChange change;
    change.item = RegItem{root, path, true, ""};
    change.existedBefore = before;
    change.existsAfter = after;
    changes->push_back(change);
  }
  std::vector<std::string> beforeChildren, afterChildren;
  const std::vector<RegValue> beforeValues = ValuesAt(base_, root, path, &beforeChildren);
  const std::vector<RegValue> afterValues = ValuesAt(*this, root, path, &afterChildren);
  for (const RegValue& old : beforeValues) {
    const RegValue* now = FindByName(afterValues, old.name);
    if (now == nullptr || !SameData(old, *now))
      changes->push_back(ValueChange(root, path, old.name, &old, now));
  }
  for (const RegValue& now : afterValues)
    if (FindByName(beforeValues, now.name) == nullptr)
      changes->push_back(ValueChange(root, path, now.name, nullptr, &now));
  std::map<std::string, std::string> children;  // the registry's order, either side's spelling
  for (const std::string& name : beforeChildren) children.emplace(FoldName(name), name);
  for (const std::string& name : afterChildren) children.emplace(FoldName(name), name);
  for (const auto& child : children) CompareTree(root, JoinKeyPath(path, child.second), changes);
}

std::vector<RegChange> LayeredRegistry::Changes() {
  std::vector<RegChange> changes;
  std::vector<std::string> wholes;
  for (const auto& entry : records_) {
    if (Covered(wholes, entry.first)) continue;
    const Record& record = *entry.second;
    const bool before = KeyExistsAt(base_, record.root, record.path);
    const bool after = ExistsHere(record.root, record.path);
    if (record.deleted || before != after) {
      CompareTree(record.root, record.path, &changes);
      wholes.push_back(entry.first);
      continue;
    }
    if (!before) continue;
    for (const std::string& name : record.values) {
      RegValue old, now;
      const bool had = ValueAt(base_, record.root, record.path, name, &old);
      const bool has = ValueAt(*this, record.root, record.path, name, &now);
      if (had != has || (had && !SameData(old, now)))
        changes.push_back(ValueChange(record.root, record.path, name, had ? &old : nullptr,
                                      has ? &now : nullptr));
    }
  }
  return changes;
}

std::vector<std::string> LayeredRegistry::RestoreScript() {
  std::vector<std::string> lines = {"REGEDIT4"};
  std::vector<std::string> wholes;
  for (const auto& entry : records_) {
    if (Covered(wholes, entry.first)) continue;
    const Record& record = *entry.second;
    const std::string key = FullKeyName(record.root, record.path);
    if (!KeyExistsAt(base_, record.root, record.path)) {
      // Made by the layer (or inside a key it made): deleting it restores.
      if (record.created) {
        lines.insert(lines.end(), {"", "[-" + key + "]"});
        wholes.push_back(entry.first);
      }
      continue;
    }
    if (record.deleted) {
      // Gone, and perhaps made again with other contents: start afresh from
      // the whole key as it was.
      lines.insert(lines.end(), {"", "[-" + key + "]"});
      AppendKeyTree(base_, record.root, record.path, &lines);
      wholes.push_back(entry.first);
      continue;
    }
    if (record.values.empty()) continue;
    lines.insert(lines.end(), {"", "[" + key + "]"});
    for (const std::string& name : record.values) {
      RegValue old;
      if (ValueAt(base_, record.root, record.path, name, &old))
        AppendScriptValue(old, &lines);
      else
        lines.push_back(ScriptValueDeletion(name));
    }
  }
  return lines;
}

}  // namespace velotune
