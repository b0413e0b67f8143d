#include "platform/registry_compare.h"

#include <map>
#include <set>
#include <unordered_map>

#include "platform/registry_names.h"

namespace velotune {

namespace {

struct KeyContents {
  bool exists = false;
  ListedValues values;
  std::vector<std::string> children;
};

KeyContents Read(RegistryBackend& registry, RegistryRoot root, const std::string& path) {
  KeyContents contents;
  RegKey key = 0;
  if (registry.OpenKeyEx(RootKey(root), path, kKeyRead, &key) != regerr::kSuccess) return contents;
  contents.exists = true;
  contents.values = ListedValues(registry, key);
  contents.children = ReadSubKeyNames(registry, key);
  registry.CloseKey(key);
  return contents;
}

std::string ValueText(bool present, const RegValue& value) {
  return present ? ScriptData(value) : "(none)";
}

std::string ValueDifference(RegistryRoot root, const std::string& path, const std::string& name,
                            bool hadIt, const RegValue& want, bool hasIt, const RegValue& got) {
  if (hadIt == hasIt && (!hadIt || SameData(want, got))) return "";
  return FullKeyName(root, path) + " " + (name.empty() ? "@" : "\"" + name + "\"") + ": " +
         ValueText(hasIt, got) + " instead of " + ValueText(hadIt, want);
}

// The first value of a key that differs between the two lists, wanted
// values first, then any extra one.
std::string ValuesDifference(RegistryRoot root, const std::string& path,
                             const std::vector<RegValue>& want, const std::vector<RegValue>& got) {
  // A key put back whole lists its values as they were, in their order: then
  // they are compared pair by pair, without looking any up.
  bool inOrder = want.size() == got.size();
  for (std::size_t i = 0; inOrder && i < want.size(); ++i) inOrder = want[i].name == got[i].name;
  if (inOrder) {
    for (std::size_t i = 0; i < want.size(); ++i) {
      const std::string d = ValueDifference(root, path, want[i].name, true, want[i], true, got[i]);
      if (!d.empty()) return d;
    }
    return "";
  }
  std::unordered_map<std::string, const RegValue*> gotByName;
  for (const RegValue& v : got) gotByName.emplace(FoldName(v.name), &v);
  for (const RegValue& v : want) {
    auto it = gotByName.find(FoldName(v.name));
    const bool hasIt = it != gotByName.end();
    const std::string d =
        ValueDifference(root, path, v.name, true, v, hasIt, hasIt ? *it->second : RegValue{});
    if (!d.empty()) return d;
    if (hasIt) gotByName.erase(it);
  }
  if (gotByName.empty()) return "";
  const RegValue& extra = *gotByName.begin()->second;
  return ValueDifference(root, path, extra.name, false, RegValue{}, true, extra);
}

std::string TreeDifference(RegistryBackend& expected, RegistryBackend& actual, RegistryRoot root,
                           const std::string& path) {
  const KeyContents want = Read(expected, root, path), got = Read(actual, root, path);
  const std::string key = FullKeyName(root, path);
  if (want.exists != got.exists) return key + (want.exists ? " is missing" : " is left over");
  if (!want.exists) return "";
  const std::string values = ValuesDifference(root, path, want.values.All(), got.values.All());
  if (!values.empty()) return values;
  std::map<std::string, std::string> children;  // either side's sub-keys, once each
  for (const std::string& name : want.children) children.emplace(FoldName(name), name);
  for (const std::string& name : got.children) children.emplace(FoldName(name), name);
  for (const auto& child : children) {
    const std::string d = TreeDifference(expected, actual, root, JoinKeyPath(path, child.second));
    if (!d.empty()) return d;
  }
  return "";
}

}  // namespace

std::string FirstDifference(RegistryBackend& expected, RegistryBackend& actual,
                            const std::vector<RegItem>& items) {
  // Values inside a key compared whole need no look of their own.
  std::set<std::string> wholeKeys;
  for (const RegItem& item : items)
    if (item.isKey) wholeKeys.insert(FoldName(FullKeyName(item.root, item.path)));
  // The values of one key mostly follow each other: whether it is covered
  // is found again only when the key changes.
  const RegItem* previous = nullptr;
  bool previousCovered = false;
  auto covered = [&](const RegItem& item) {
    if (previous && previous->root == item.root && previous->path == item.path)
      return previousCovered;
    previous = &item;
    std::string key = FoldName(FullKeyName(item.root, item.path));
    for (;;) {
      if (wholeKeys.count(key)) return previousCovered = true;
      const std::size_t slash = key.rfind('\\');
      if (slash == std::string::npos) return previousCovered = false;
      key.resize(slash);
    }
  };
  for (const RegItem& item : items) {
    if (!item.isKey && covered(item)) continue;
    std::string d;
    if (item.isKey) {
      d = TreeDifference(expected, actual, item.root, item.path);
    } else {
      RegValue want, got;
      const bool hadIt = ValueAt(expected, item.root, item.path, item.name, &want);
      const bool hasIt = ValueAt(actual, item.root, item.path, item.name, &got);
      d = ValueDifference(item.root, item.path, item.name, hadIt, want, hasIt, got);
    }
    if (!d.empty()) return d;
  }
  return "";
}

}  // namespace velotune
