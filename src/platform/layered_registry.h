// A registry that lies over another, copy on write: reads see the registry
// underneath as changed by the earlier writes, writes stay in the layer, and
// the registry underneath is only ever read. Every change is told in order
// to an observer, so that running an action over the layer gives its plan;
// what it touched can then be compared with the registry underneath, or
// written out as a script that puts back everything it touched.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/key_tree.h"
#include "platform/registry_names.h"
#include "platform/registry_values.h"

namespace velotune {

// One change made in the layer.
struct RegOperation {
  enum class Kind { kCreateKey, kSetValue, kDeleteValue, kDeleteKey };
  Kind kind = Kind::kSetValue;
  RegistryRoot root = RegistryRoot::CurrentUser;
  std::string path;   // the key (for values, the key holding them)
  RegValue value;     // kSetValue: the value written; kDeleteValue: only its name
  bool found = true;  // kDeleteValue, kDeleteKey: there was something to delete
};

// A key or value whose state the layer and the registry underneath compare.
struct RegItem {
  RegistryRoot root = RegistryRoot::CurrentUser;
  std::string path;
  bool isKey = false;
  std::string name;  // values only
};

// A difference between underneath (before) and the layer (after). For keys,
// only existence counts; the values of a created or deleted key are listed
// as value differences of their own.
struct RegChange {
  RegItem item;
  bool existedBefore = false;
  bool existsAfter = false;
  RegValue before, after;  // values, when they exist
};

class LayeredRegistry : public KeyTreeRegistry {
 public:
  explicit LayeredRegistry(RegistryBackend& base);
  ~LayeredRegistry() override;

  RegistryBackend& Base() { return base_; }
  // Called with each change as it is made.
  void SetObserver(std::function<void(RegOperation)> observer) { observer_ = std::move(observer); }

  // Every key and value the layer touched (keys created or deleted, values
  // set or deleted), in path order, parents first. A key created or deleted
  // stands for its values, which are not listed: compare it whole.
  std::vector<RegItem> Touched() const;
  // What would change underneath if the layer's changes were made there: the
  // net effect, so a value set and set back shows no difference. A key that
  // was deleted and made again is compared value by value, sub-key by sub-key.
  std::vector<RegChange> Changes();
  // The script (as lines, after its header) that, imported after the
  // changes were made underneath, gives back the state underneath of
  // everything touched: old values with their type and data, "name"=- for
  // values that were not there, [-key] for keys that were not there, and
  // deleted keys made again with all their values and sub-keys.
  std::vector<std::string> RestoreLines();

  struct Record;  // defined in layered_registry_nodes.h

 protected:
  void LoadValues(KeyNode* node) override;
  void LoadChildren(KeyNode* node) override;
  void KeyCreated(KeyNode* node) override;
  void ValueSet(KeyNode* node, const RegValue& value) override;
  void ValueDeleted(KeyNode* node, const std::string& name, bool found) override;
  void KeyDeleted(KeyNode* parent, const std::string& path, KeyNode* node) override;

 private:
  Record& RecordFor(const KeyNode* node);
  void NoteValue(const KeyNode* node, const std::string& name);
  void Note(RegOperation operation);
  bool ExistsHere(RegistryRoot root, const std::string& path);
  void CompareTree(RegistryRoot root, const std::string& path, std::vector<RegChange>* changes);
  static bool Covered(const std::vector<std::string>& wholes, const std::string& recordKey);

  RegistryBackend& base_;
  std::map<std::string, std::unique_ptr<Record>> records_;  // by root and folded path
  std::unordered_map<const KeyNode*, Record*> recordOf_;    // each node's, once found
  std::function<void(RegOperation)> observer_;
};

}  // namespace velotune
