// One in-memory key tree behind every registry the program keeps itself: the
// memory registry and the copy-on-write layer both answer the registry calls
// from it. Names compare as the registry compares them (FoldName), the
// stored spelling is kept, values keep their order and their exact bytes, and
// a name is found without walking the values, so that a key of a hundred
// thousand values is read and written in linear time.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/registry_backend.h"
#include "platform/registry_values.h"

namespace velotune {

struct KeyNode {
  std::string name;  // as spelled when made (a root: "HKEY_CURRENT_USER")
  RegistryRoot root = RegistryRoot::CurrentUser;
  KeyNode* parent = nullptr;
  bool deleted = false;
  // For a layer: the node mirrors a key underneath, whose values and sub-key
  // names are read the first time they are needed.
  bool fromBase = false;
  bool valuesLoaded = true;
  bool childrenLoaded = true;
  std::map<std::string, KeyNode*> children;  // by folded name: the registry's order

  // The path from the root ("" for a root).
  const std::string& Path() const { return path_; }
  const std::vector<RegValue>& Values() const { return values_; }
  // Null when there is no such value.
  RegValue* FindValue(const std::string& name);
  // Adds the value at the end, or replaces the type and data of the one of
  // that name (keeping its spelling and place); the value as it is now.
  const RegValue& SetValue(const std::string& name, std::uint32_t type,
                           std::vector<std::uint8_t> data);
  // False when there is no such value.
  bool EraseValue(const std::string& name);
  // The values a registry lists, each name once.
  void ReplaceValues(std::vector<RegValue> values);

 private:
  friend class KeyTreeRegistry;
  // Values that are only listed (a key read to be backed up or compared)
  // are never looked up by name: the index is made when first needed.
  void Index();

  std::string path_;
  std::vector<RegValue> values_;                        // enumeration order
  std::unordered_map<std::string, std::size_t> index_;  // folded name -> place
  bool indexed_ = true;
};

class KeyTreeRegistry : public RegistryBackend {
 public:
  KeyTreeRegistry();
  ~KeyTreeRegistry() override;
  KeyTreeRegistry(const KeyTreeRegistry&) = delete;
  KeyTreeRegistry& operator=(const KeyTreeRegistry&) = delete;

  long CreateKeyEx(RegKey parent, const std::string& subKey, std::uint32_t access,
                   RegKey* result) override;
  long OpenKeyEx(RegKey parent, const std::string& subKey, std::uint32_t access,
                 RegKey* result) override;
  long SetValueEx(RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override;
  long QueryValueEx(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* size) override;
  long DeleteValue(RegKey key, const std::string& name) override;
  long DeleteKey(RegKey key, const std::string& subKey) override;
  long EnumKeyEx(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize) override;
  long QueryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen) override;
  long EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                 std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override;
  long CloseKey(RegKey key) override;
  const std::vector<RegValue>* HeldValues(RegKey key) override;

  std::size_t OpenHandleCount() const { return handles_.size(); }

 protected:
  // What a derived registry adds: how a node learns what lies underneath,
  // which keys it refuses (an error code, or success), and what it notes of
  // each change. The defaults do nothing.
  virtual void LoadValues(KeyNode*) {}
  virtual void LoadChildren(KeyNode*) {}
  virtual long Refusal(const KeyNode*) const { return regerr::kSuccess; }
  virtual long ReadRefusal() const { return regerr::kSuccess; }
  virtual void KeyCreated(KeyNode*) {}
  virtual void ValueSet(KeyNode*, const RegValue&) {}
  virtual void ValueDeleted(KeyNode*, const std::string&, bool /*found*/) {}
  // `node` is null when there was no key at `path` beneath `parent`.
  virtual void KeyDeleted(KeyNode* /*parent*/, const std::string& /*path*/, KeyNode* /*node*/) {}

  KeyNode* RootNode(RegistryRoot root) const { return roots_.at(root); }
  KeyNode* Resolve(RegKey key, long* error) const;
  KeyNode* Child(KeyNode* node, const std::string& name);
  // Null when a key on the way is missing or the path is malformed.
  KeyNode* Walk(KeyNode* node, const std::string& path);
  KeyNode* AddNode(KeyNode* parent, const std::string& name, bool fromBase);

 private:
  RegKey NewHandle(KeyNode* node);

  std::vector<std::unique_ptr<KeyNode>> nodes_;  // every node, alive as long as the tree
  std::map<RegistryRoot, KeyNode*> roots_;
  std::map<RegKey, KeyNode*> handles_;
  RegKey nextHandle_ = 0x100;
};

// Splits a key path at backslashes. One trailing backslash is accepted, as the
// registry accepts it; an empty name elsewhere makes the path invalid.
bool SplitKeyPath(const std::string& path, std::vector<std::string>* names);

}  // namespace velotune
