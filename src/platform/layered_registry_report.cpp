// What a layer did, set against the registry underneath: the touched items,
// the net changes, and the script that restores the state underneath.
#include <algorithm>
#include <unordered_map>

#include "platform/layered_registry.h"
#include "platform/layered_registry_nodes.h"

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

// The values by folded name, to find each in constant time.
class ValuesByName {
 public:
  explicit ValuesByName(const std::vector<RegValue>& values) {
    for (const RegValue& v : values) byName_.emplace(FoldName(v.name), &v);
  }
  const RegValue* Find(const std::string& name) const {
    auto it = byName_.find(FoldName(name));
    return it == byName_.end() ? nullptr : it->second;
  }

 private:
  std::unordered_map<std::string, const RegValue*> byName_;
};

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
  return Walk(RootNode(root), path) != nullptr;
}

std::vector<RegItem> LayeredRegistry::Touched() const {
  std::vector<RegItem> items;
  for (const auto& entry : records_) {
    const Record& record = *entry.second;
    if (record.created || record.deleted) {
      items.push_back(RegItem{record.root, record.path, true, ""});
      continue;
    }
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
  const ValuesByName beforeByName(beforeValues), afterByName(afterValues);
  for (const RegValue& old : beforeValues) {
    const RegValue* now = afterByName.Find(old.name);
    if (now == nullptr || !SameData(old, *now))
      changes->push_back(ValueChange(root, path, old.name, &old, now));
  }
  for (const RegValue& now : afterValues)
    if (beforeByName.Find(now.name) == nullptr)
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
    const std::vector<RegValue> oldValues = ValuesAt(base_, record.root, record.path, nullptr);
    const std::vector<RegValue> newValues = ValuesAt(*this, record.root, record.path, nullptr);
    const ValuesByName oldByName(oldValues), newByName(newValues);
    for (const std::string& name : record.values) {
      const RegValue* old = oldByName.Find(name);
      const RegValue* now = newByName.Find(name);
      if ((old == nullptr) != (now == nullptr) || (old && !SameData(*old, *now)))
        changes.push_back(ValueChange(record.root, record.path, name, old, now));
    }
  }
  return changes;
}

std::vector<std::string> LayeredRegistry::RestoreLines() {
  std::vector<std::string> lines;
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
    const std::vector<RegValue> oldValues = ValuesAt(base_, record.root, record.path, nullptr);
    const ValuesByName oldByName(oldValues);
    for (const std::string& name : record.values) {
      if (const RegValue* old = oldByName.Find(name))
        AppendScriptValue(*old, &lines);
      else
        lines.push_back(ScriptValueDeletion(name));
    }
  }
  return lines;
}

}  // namespace velotune
