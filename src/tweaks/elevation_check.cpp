#include "tweaks/elevation_check.h"

#include <map>
#include <set>

#include "platform/registry_names.h"
#include "platform/registry_values.h"

namespace velotune {

namespace {

bool KeyExists(RegistryBackend& registry, RegistryRoot root, const std::string& path) {
  RegKey key = 0;
  if (registry.OpenKeyEx(RootKey(root), path, kKeyRead, &key) != regerr::kSuccess) return false;
  registry.CloseKey(key);
  return true;
}

std::string ParentPath(const std::string& path) {
  const std::size_t at = path.find_last_of('\\');
  return at == std::string::npos ? std::string() : path.substr(0, at);
}

// The path below Software\Classes of a folded path; false when it is not
// there. `above` says whether the path is Software or the root, whose
// deletion takes the classes with it.
bool ClassPath(const std::string& folded, std::string* below, bool* above) {
  static const std::string classes = FoldName("Software\\Classes");
  static const std::string software = FoldName("Software");
  *above = folded.empty() || folded == software;
  if (folded == classes) {
    below->clear();
    return true;
  }
  if (folded.compare(0, classes.size() + 1, classes + "\\") != 0) return false;
  *below = folded.substr(classes.size() + 1);
  return true;
}

// Keys of the user's policies: standard users may read them, not write them,
// nor delete a key that holds them.
bool TouchesUserPolicies(const std::string& folded, bool deletesKey) {
  static const std::string kPolicies[] = {
      FoldName("Software\\Policies"),
      FoldName("Software\\Microsoft\\Windows\\CurrentVersion\\Policies")};
  for (const std::string& policies : kPolicies) {
    if (folded == policies || folded.compare(0, policies.size() + 1, policies + "\\") == 0)
      return true;
    if (deletesKey &&
        (folded.empty() || policies.compare(0, folded.size() + 1, folded + "\\") == 0))
      return true;
  }
  return false;
}

// HKEY_CLASSES_ROOT shows the user's classes (Software\Classes of
// HKEY_CURRENT_USER) over the machine's. A write goes to the user's when the
// key is there, and a new key when the deepest of its parents that exists is
// there; a deletion takes the user's key when there is one. Everything else
// is the machine's. Which keys exist changes as the plan goes: what it made
// or deleted so far, on either side, over what the live registry holds.
class ClassKeys {
 public:
  explicit ClassKeys(RegistryBackend& live) : live_(live) {}

  // Whether the key (folded, below Software\Classes) exists on that side now.
  bool Exists(bool user, const std::string& path) {
    const auto& states = states_[user];
    for (std::string part = path;; part = ParentPath(part)) {
      const auto found = states.find(part);
      // A key the plan made holds only what it made below it.
      if (found != states.end()) return part == path && found->second;
      if (part.empty()) break;
    }
    if (user) return KeyExists(live_, RegistryRoot::CurrentUser, Below(path));
    return KeyExists(live_, RegistryRoot::LocalMachine, Below(path)) ||
           (KeyExists(live_, RegistryRoot::ClassesRoot, path) &&
            !KeyExists(live_, RegistryRoot::CurrentUser, Below(path)));
  }
  // The key and every key above it exist on that side.
  void Made(bool user, const std::string& path) {
    if (made_ && madeUser_ == user && madePath_ == path) return;
    for (std::string part = path;; part = ParentPath(part)) {
      if (Exists(user, part)) break;
      states_[user][part] = true;
      judged_ = false;
      if (part.empty()) break;
    }
    made_ = true;
    madeUser_ = user;
    madePath_ = path;
  }
  // The key and every key below it are gone from that side.
  void Deleted(bool user, const std::string& path) {
    auto& states = states_[user];
    const std::string below = path.empty() ? "" : path + "\\";
    states.erase(states.lower_bound(below), states.lower_bound(below + "\xff"));
    states[path] = false;
    judged_ = made_ = false;
  }
  // Whether a write to HKEY_CLASSES_ROOT\path goes to the user's classes.
  bool UserWrite(const std::string& path) {
    if (judged_ && judgedPath_ == path) return judgedUser_;
    bool user = false;
    for (std::string part = path; !part.empty(); part = ParentPath(part)) {
      if (Exists(true, part)) {
        user = true;
        break;
      }
      if (Exists(false, part)) break;
    }
    judged_ = true;
    judgedPath_ = path;
    judgedUser_ = user;
    return user;
  }

 private:
  static std::string Below(const std::string& path) {
    return path.empty() ? std::string("Software\\Classes") : "Software\\Classes\\" + path;
  }

  RegistryBackend& live_;
  std::map<std::string, bool> states_[2];  // [user]: folded path -> exists
  // The last write judged, while nothing has changed since.
  bool judged_ = false;
  std::string judgedPath_;
  bool judgedUser_ = false;
  // The last key made, while nothing has been deleted since.
  bool made_ = false, madeUser_ = false;
  std::string madePath_;
};

bool IsDeletion(const RegOperation& operation) {
  return operation.kind == RegOperation::Kind::kDeleteValue ||
         operation.kind == RegOperation::Kind::kDeleteKey;
}

// Whether the operation needs the rights, keeping `classes` up to date.
// `folded` is its path folded.
bool NeedsRights(const RegOperation& operation, const std::string& folded, ClassKeys& classes) {
  const bool deletesKey = operation.kind == RegOperation::Kind::kDeleteKey;
  std::string below;
  bool above = false;
  switch (operation.root) {
    case RegistryRoot::ClassesRoot: {
      if (IsDeletion(operation)) {
        // The user's key goes first, whether or not the machine has one.
        const bool user = classes.Exists(true, folded);
        const bool machine = !user && (operation.found || classes.Exists(false, folded));
        if (deletesKey && (user || machine)) classes.Deleted(user, folded);
        return machine && (deletesKey || operation.found);
      }
      const bool user = classes.UserWrite(folded);
      classes.Made(user, folded);
      return !user;
    }
    case RegistryRoot::CurrentUser:
    case RegistryRoot::LocalMachine: {
      const bool user = operation.root == RegistryRoot::CurrentUser;
      if (ClassPath(folded, &below, &above)) {
        if (deletesKey)
          classes.Deleted(user, below);
        else if (!IsDeletion(operation))
          classes.Made(user, below);
      } else if (above && deletesKey) {
        classes.Deleted(user, "");
      }
      if (IsDeletion(operation) && !operation.found) return false;
      return !user || TouchesUserPolicies(folded, deletesKey);
    }
    default:
      return !IsDeletion(operation) || operation.found;
  }
}

}  // namespace

ElevationNeed FindElevationNeed(const ActionPlan& plan, RegistryBackend& live) {
  ElevationNeed need;
  std::set<std::string> seen;
  ClassKeys classes(live);
  std::string script, path, folded;
  // The key named last, which the values after it mostly share.
  bool added = false;
  RegistryRoot addedRoot = RegistryRoot::CurrentUser;
  std::string addedPath;
  for (const PlanStep& step : plan.Steps()) {
    if (step.kind == PlanStep::Kind::kProcess) {
      if (ImportedScript(step.target, &script))
        need.registryEditor = true;
      else
        need.programs.push_back(step.target);
    }
    if (step.kind != PlanStep::Kind::kRegistry) continue;
    const RegOperation& operation = step.operation;
    // Values of one key come one after another: the key is folded once.
    if (folded.empty() || operation.path != path) {
      path = operation.path;
      folded = FoldName(path);
    }
    // What the registry editor imports needs no more than starting it.
    if (!NeedsRights(operation, folded, classes) || step.depth > 0) continue;
    if (added && operation.root == addedRoot && operation.path == addedPath) continue;
    added = true;
    addedRoot = operation.root;
    addedPath = operation.path;
    const std::string key = FullKeyName(operation.root, operation.path);
    if (seen.insert(FoldName(key)).second) need.machineKeys.push_back(key);
  }
  return need;
}

std::string ElevationNeedText(const ElevationNeed& need) {
  std::vector<std::string> parts;
  auto more = [](const std::vector<std::string>& items, const char* what) {
    std::string text = items.front();
    const std::size_t n = items.size() - 1;
    if (n > 0) text += " and " + std::to_string(n) + " more " + what + (n > 1 ? "s" : "");
    return text;
  };
  bool policies = false;
  for (const std::string& key : need.machineKeys)
    policies = policies || key.compare(0, 18, "HKEY_CURRENT_USER\\") == 0;
  if (!need.machineKeys.empty())
    parts.push_back("writes " + more(need.machineKeys,
                                     policies ? "machine-wide or policy key" : "machine-wide key"));
  if (need.registryEditor) parts.push_back("starts the registry editor");
  if (!need.programs.empty()) parts.push_back("runs " + more(need.programs, "program"));
  std::string text;
  for (std::size_t i = 0; i < parts.size(); ++i)
    text += (i == 0 ? "" : i + 1 == parts.size() ? ", and " : ", ") + parts[i];
  return text;
}

std::string ElevationRefusal(const ActionPlan& plan, RegistryBackend& live, Processes& processes,
                             const std::string& label, const std::string& advice) {
  if (processes.Elevated()) return "";
  const ElevationNeed need = FindElevationNeed(plan, live);
  if (!need.Any()) return "";
  return label + " needs administrator rights: it " + ElevationNeedText(need) +
         ". Nothing was changed; " + advice;
}

}  // namespace velotune
