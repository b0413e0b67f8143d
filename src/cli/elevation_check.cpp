#include "cli/elevation_check.h"

#include <set>

#include "platform/memory_registry.h"
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

// HKEY_CLASSES_ROOT shows the user's classes over the machine's. A write
// goes to HKEY_CURRENT_USER\Software\Classes when the key is there, and a new
// key when the deepest of its parents that exists is there; everything else
// goes to HKEY_LOCAL_MACHINE\Software\Classes.
bool UserClass(RegistryBackend& live, const std::string& path) {
  for (std::string part = path; !part.empty(); part = ParentPath(part)) {
    if (KeyExists(live, RegistryRoot::CurrentUser, "Software\\Classes\\" + part)) return true;
    if (KeyExists(live, RegistryRoot::ClassesRoot, part)) return false;
  }
  return false;
}

bool MachineWide(const RegOperation& operation, RegistryBackend& live) {
  switch (operation.root) {
    case RegistryRoot::CurrentUser:
      return false;
    case RegistryRoot::ClassesRoot:
      return !UserClass(live, operation.path);
    default:
      return true;
  }
}

bool WritesSomething(const RegOperation& operation) {
  const bool deletion = operation.kind == RegOperation::Kind::kDeleteValue ||
                        operation.kind == RegOperation::Kind::kDeleteKey;
  return !deletion || operation.found;
}

}  // namespace

ElevationNeed FindElevationNeed(const ActionPlan& plan, RegistryBackend& live) {
  ElevationNeed need;
  std::set<std::string> seen;
  std::string script;
  for (const PlanStep& step : plan.Steps()) {
    if (step.kind == PlanStep::Kind::kProcess && ImportedScript(step.target, &script))
      need.registryEditor = true;
    // What the registry editor imports needs no more than starting it.
    if (step.kind != PlanStep::Kind::kRegistry || step.depth > 0) continue;
    const RegOperation& operation = step.operation;
    if (!WritesSomething(operation) || !MachineWide(operation, live)) continue;
    const std::string key = FullKeyName(operation.root, operation.path);
    if (seen.insert(FoldName(key)).second) need.machineKeys.push_back(key);
  }
  return need;
}

std::string ElevationRefusal(const ActionPlan& plan, RegistryBackend& live, Processes& processes,
                             const std::string& label) {
  if (processes.Elevated()) return "";
  const ElevationNeed need = FindElevationNeed(plan, live);
  if (!need.Any()) return "";
  std::string what;
  if (!need.machineKeys.empty()) {
    what = "writes " + need.machineKeys.front();
    const std::size_t more = need.machineKeys.size() - 1;
    if (more > 0)
      what += " and " + std::to_string(more) + " more machine-wide key" + (more > 1 ? "s" : "");
  }
  if (need.registryEditor)
    what += std::string(what.empty() ? "" : ", and ") + "starts the registry editor";
  return label + " needs administrator rights: it " + what +
         ". Nothing was changed; run it from an elevated prompt.";
}

}  // namespace velotune
