#include "cli/plan_export.h"

#include <cstdio>
#include <map>
#include <set>

#include "cli/cli_report.h"
#include "cli/json_text.h"
#include "platform/policy_file.h"
#include "platform/reg_script.h"
#include "platform/registry_names.h"
#include "platform/registry_values.h"

namespace velotune {

namespace {

using Kind = RegOperation::Kind;

const char kProcessReason[] =
    "the processes it starts (batch files, programs); what they do cannot be previewed, so no "
    "file carries it";
const char kFileReason[] = "the files it deletes or writes, which are not registry data";
const char kUsersReason[] =
    "its writes to HKEY_USERS; policy files carry only HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER";
const char kEmptyKeyReason[] =
    "the keys it makes without values; a policy file makes a key only for a value it sets in it";
const char kPolicyNameReason[] =
    "what a policy file cannot name: a value name beginning with \"**\" or a deleted key's name "
    "holding \";\" would read as one of its instructions, and a key right under a root has no "
    "parent to delete it from";

bool IsKeyOperation(Kind kind) {
  return kind == Kind::kCreateKey || kind == Kind::kDeleteKey;
}

std::string ItemId(RegistryRoot root, const std::string& path, bool isKey,
                   const std::string& name) {
  return std::to_string(static_cast<std::uint32_t>(root)) + "|" + FoldName(path) +
         (isKey ? "|" : "|v|" + FoldName(name));
}

std::string ItemId(const RegOperation& op) {
  return ItemId(op.root, op.path, IsKeyOperation(op.kind), op.value.name);
}

RegItem ItemOf(const RegOperation& op) {
  RegItem item;
  item.root = op.root;
  item.path = op.path;
  item.isKey = IsKeyOperation(op.kind);
  if (!item.isKey) item.name = op.value.name;
  return item;
}

std::string ItemText(const RegItem& item) {
  const std::string key = FullKeyName(item.root, item.path);
  return item.isKey ? key : key + "  " + ValueNameText(item.name);
}

LeftOut RegistryLeftOut(const RegOperation& op, const std::string& reason) {
  LeftOut left;
  left.item = ItemOf(op);
  left.what = ItemText(left.item);
  left.reason = reason;
  return left;
}

RegOperation Record(Kind kind, RegistryRoot root, const std::string& path, RegValue value = {}) {
  return RegOperation{kind, root, path, std::move(value), true};
}

// Builds the records from the plan's registry steps.
class RecordBuilder {
 public:
  RecordBuilder(ActionPlan& plan, PlanExport* out) : plan_(plan), out_(out) {
    for (const PlanStep& step : plan.Steps()) {
      if (step.kind != PlanStep::Kind::kRegistry) continue;
      const RegOperation& op = step.operation;
      if (!step.machineSpecific.empty()) {
        if (machineOnly_.insert(ItemId(op)).second)
          out_->leftOut.push_back(RegistryLeftOut(op, step.machineSpecific));
      } else if (op.kind == Kind::kDeleteKey) {
        // Whether it was there or not: on another machine it may be.
        deleted_.push_back(op);
      }
    }
  }

  void Build() {
    for (const PlanStep& step : plan_.Steps()) {
      if (step.kind != PlanStep::Kind::kRegistry || !step.machineSpecific.empty()) continue;
      const RegOperation& op = step.operation;
      if (const RegOperation* covering = OutermostDeleted(op)) {
        if (!done_.insert("deleted|" + ItemId(*covering)).second) continue;
        Add(Record(Kind::kDeleteKey, covering->root, covering->path));
        // Made again: everything in it now is the action's.
        AddTree(covering->root, covering->path);
        continue;
      }
      if (!done_.insert(ItemId(op)).second) continue;
      if (op.kind == Kind::kCreateKey) {
        Add(Record(Kind::kCreateKey, op.root, op.path));
        continue;
      }
      RegValue value;
      if (ValueAt(plan_.Layer(), op.root, op.path, op.value.name, &value))
        Add(Record(Kind::kSetValue, op.root, op.path, value));
      else
        Add(Record(Kind::kDeleteValue, op.root, op.path, RegValue{op.value.name, 0, {}}));
    }
  }

 private:
  void Add(RegOperation record) {
    if (!machineOnly_.count(ItemId(record))) out_->records.push_back(std::move(record));
  }

  // The key the plan deletes that holds the item (or is it), nearest the root.
  const RegOperation* OutermostDeleted(const RegOperation& op) const {
    const std::string path = FoldName(op.path);
    const RegOperation* outermost = nullptr;
    for (const RegOperation& d : deleted_) {
      const std::string key = FoldName(d.path);
      const bool holds = d.root == op.root && path.compare(0, key.size(), key) == 0 &&
                         (path.size() == key.size() || path[key.size()] == '\\');
      if (holds && (!outermost || d.path.size() < outermost->path.size())) outermost = &d;
    }
    return outermost;
  }

  void AddTree(RegistryRoot root, const std::string& path) {
    RegKey key = 0;
    LayeredRegistry& layer = plan_.Layer();
    if (layer.OpenKeyEx(RootKey(root), path, kKeyRead, &key) != regerr::kSuccess) return;
    const std::vector<RegValue> values = ReadValues(layer, key);
    const std::vector<std::string> children = ReadSubKeyNames(layer, key);
    layer.CloseKey(key);
    Add(Record(Kind::kCreateKey, root, path));
    for (const RegValue& value : values) Add(Record(Kind::kSetValue, root, path, value));
    for (const std::string& child : children) AddTree(root, JoinKeyPath(path, child));
  }

  ActionPlan& plan_;
  PlanExport* out_;
  std::vector<RegOperation> deleted_;
  std::set<std::string> machineOnly_;
  std::set<std::string> done_;
};

void AddFilesAndProcesses(ActionPlan& plan, PlanExport* out) {
  // A file the action leaves written, or deletes before writing it; one it
  // writes and deletes again (a script it imports) leaves nothing behind.
  std::vector<std::string> order;
  std::map<std::string, bool> endsWritten;
  std::set<std::string> deletedFirst;
  for (const PlanStep& step : plan.Steps()) {
    const bool writes = step.kind == PlanStep::Kind::kWriteFile;
    if (!writes && step.kind != PlanStep::Kind::kDeleteFile) continue;
    if (!endsWritten.count(step.target)) {
      order.push_back(step.target);
      if (!writes) deletedFirst.insert(step.target);
    }
    endsWritten[step.target] = writes;
  }
  for (const std::string& file : order) {
    if (!endsWritten[file] && !deletedFirst.count(file)) continue;
    LeftOut left;
    left.kind = LeftOut::Kind::kFile;
    left.target = file;
    left.what = file + (endsWritten[file] ? "  (written)" : "  (deleted)");
    left.reason = kFileReason;
    out->leftOut.push_back(left);
  }
  for (const PlanStep* step : plan.Unpreviewable()) {
    LeftOut left;
    left.kind = LeftOut::Kind::kProcess;
    left.target = step->target;
    left.what = step->target;
    left.reason = kProcessReason;
    out->leftOut.push_back(left);
  }
}

std::string HexBytes(const std::vector<std::uint8_t>& data) {
  std::string hex;
  char pair[3];
  for (std::uint8_t byte : data) {
    std::snprintf(pair, sizeof pair, "%02x", byte);
    hex += pair;
  }
  return hex;
}

// One policy file's instructions; a run of key deletions under one parent
// becomes one instruction naming them all.
class PolicyInstructions {
 public:
  void Add(PolicyInstruction instruction) {
    lastDeleted_.clear();
    instructions_.push_back(std::move(instruction));
  }
  void DeleteKey(const std::string& parent, const std::string& name) {
    if (lastDeleted_.empty() || FoldName(lastParent_) != FoldName(parent)) {
      instructions_.push_back({});
      lastDeleted_.clear();
      lastParent_ = parent;
    }
    lastDeleted_.push_back(name);
    instructions_.back() = PolicyDeleteKeys(parent, lastDeleted_);
  }
  const std::vector<PolicyInstruction>& All() const { return instructions_; }

 private:
  std::vector<PolicyInstruction> instructions_;
  std::string lastParent_;
  std::vector<std::string> lastDeleted_;
};

// Whether a value the records set lies in the key or beneath it, so that a
// policy file makes the key.
bool ValueSetWithin(const std::vector<RegOperation>& records, const RegOperation& key) {
  const std::string path = FoldName(key.path);
  for (const RegOperation& r : records) {
    if (r.kind != Kind::kSetValue || r.root != key.root) continue;
    const std::string at = FoldName(r.path);
    if (at.compare(0, path.size(), path) == 0 &&
        (at.size() == path.size() || at[path.size()] == '\\'))
      return true;
  }
  return false;
}

}  // namespace

PlanExport ExportPlan(ActionPlan& plan) {
  PlanExport out;
  RecordBuilder builder(plan, &out);
  builder.Build();
  AddFilesAndProcesses(plan, &out);
  return out;
}

PolicyFiles PolicyFilesOf(const std::vector<RegOperation>& records, std::vector<LeftOut>* leftOut) {
  PolicyInstructions machine, user;
  for (const RegOperation& r : records) {
    if (r.root == RegistryRoot::Users) {
      leftOut->push_back(RegistryLeftOut(r, kUsersReason));
      continue;
    }
    PolicyInstructions& file = r.root == RegistryRoot::CurrentUser ? user : machine;
    const std::string key =
        r.root == RegistryRoot::ClassesRoot ? JoinKeyPath("Software\\Classes", r.path) : r.path;
    switch (r.kind) {
      case Kind::kCreateKey:
        if (!ValueSetWithin(records, r)) leftOut->push_back(RegistryLeftOut(r, kEmptyKeyReason));
        break;
      case Kind::kSetValue:
        if (r.value.name.compare(0, 2, "**") == 0)
          leftOut->push_back(RegistryLeftOut(r, kPolicyNameReason));
        else
          file.Add(PolicySetValue(key, r.value.name, r.value.type, r.value.data));
        break;
      case Kind::kDeleteValue:
        file.Add(PolicyDeleteValue(key, r.value.name));
        break;
      case Kind::kDeleteKey: {
        const std::size_t slash = key.find_last_of('\\');
        const std::string name = key.substr(slash == std::string::npos ? 0 : slash + 1);
        if (slash == std::string::npos || name.find(';') != std::string::npos)
          leftOut->push_back(RegistryLeftOut(r, kPolicyNameReason));
        else
          file.DeleteKey(key.substr(0, slash), name);
        break;
      }
    }
  }
  PolicyFiles files;
  files.machine = PolicyFile(machine.All());
  files.user = PolicyFile(user.All());
  files.machineInstructions = machine.All().size();
  files.userInstructions = user.All().size();
  return files;
}

std::string RegScriptOf(const std::vector<RegOperation>& records, const std::string& title) {
  std::vector<std::string> lines = {"; " + title};
  std::string current;  // the key whose line was written last, to add values under
  for (const RegOperation& r : records) {
    const std::string key = FullKeyName(r.root, r.path);
    if (r.kind == Kind::kDeleteKey) {
      lines.insert(lines.end(), {"", "[-" + key + "]"});
      current.clear();
      continue;
    }
    if (r.kind == Kind::kCreateKey || FoldName(key) != FoldName(current)) {
      lines.insert(lines.end(), {"", "[" + key + "]"});
      current = key;
    }
    if (r.kind == Kind::kSetValue) AppendScriptValue(r.value, &lines);
    if (r.kind == Kind::kDeleteValue) lines.push_back(ScriptValueDeletion(r.value.name));
  }
  return Version5Script(lines, false);
}

std::string RecordJson(const RegOperation& r) {
  JsonFields fields = {{"operation", JsonString(OperationName(r.kind))},
                       {"root", JsonString(RootName(r.root))},
                       {"path", JsonString(r.path)}};
  if (r.kind == Kind::kSetValue || r.kind == Kind::kDeleteValue)
    fields.push_back({"name", JsonString(r.value.name)});
  if (r.kind == Kind::kSetValue) {
    JsonFields value = ValueFields(r.value);
    value.push_back({"bytes", JsonString(HexBytes(r.value.data))});
    fields.push_back({"value", JsonObject(value)});
  }
  return JsonObject(fields);
}

std::string LeftOutJson(const LeftOut& left) {
  JsonFields fields;
  switch (left.kind) {
    case LeftOut::Kind::kRegistry:
      fields = {{"kind", JsonString("registry")},
                {"key", JsonString(FullKeyName(left.item.root, left.item.path))}};
      if (!left.item.isKey) fields.push_back({"name", JsonString(left.item.name)});
      break;
    case LeftOut::Kind::kFile:
      fields = {{"kind", JsonString("file")}, {"file", JsonString(left.target)}};
      break;
    case LeftOut::Kind::kProcess:
      fields = {{"kind", JsonString("process")}, {"command", JsonString(left.target)}};
      break;
  }
  fields.push_back({"what", JsonString(left.what)});
  fields.push_back({"reason", JsonString(left.reason)});
  return JsonObject(fields);
}

std::string JsonOf(const std::vector<RegOperation>& records, const std::vector<LeftOut>& leftOut,
                   const std::string& action, const std::string& title) {
  std::vector<std::string> items, left;
  for (const RegOperation& r : records) items.push_back(RecordJson(r));
  for (const LeftOut& l : leftOut) left.push_back(LeftOutJson(l));
  return JsonObject({{"action", JsonString(action)},
                     {"title", JsonString(title)},
                     {"records", JsonArray(items)},
                     {"leftOut", JsonArray(left)}}) +
         "\n";
}

std::vector<std::string> LeftOutLines(const std::vector<LeftOut>& leftOut) {
  std::vector<std::string> reasons;
  std::map<std::string, std::vector<std::string>> items;
  for (const LeftOut& l : leftOut) {
    if (!items.count(l.reason)) reasons.push_back(l.reason);
    items[l.reason].push_back("  " + l.what);
  }
  std::vector<std::string> lines;
  for (const std::string& reason : reasons) {
    lines.push_back("Left out: " + reason);
    lines.insert(lines.end(), items[reason].begin(), items[reason].end());
  }
  return lines;
}

}  // namespace velotune
