// An action without the administrator's rights: the system would refuse
// every machine-wide write, the policy keys and the start of the registry
// editor, and the action would stop halfway. The plan says beforehand
// whether it needs them; the command line's apply and undo and every action
// of the window ask before they change anything.
#pragma once

#include <string>
#include <vector>

#include "platform/processes.h"
#include "platform/registry_backend.h"
#include "tweaks/action_plan.h"

namespace velotune {

// What in a plan needs the administrator's rights.
struct ElevationNeed {
  std::vector<std::string> machineKeys;  // full key names, in plan order, each once
  bool registryEditor = false;           // it starts the registry editor
  std::vector<std::string> programs;     // the other programs it starts, in plan order
  bool Any() const { return !machineKeys.empty() || registryEditor || !programs.empty(); }
};

// The plan's writes to HKEY_LOCAL_MACHINE, HKEY_USERS, the machine's part of
// HKEY_CLASSES_ROOT (as `live` holds the keys, changed by what the plan made
// or deleted before the write) and the user's policy keys, which only
// administrators may change; its starts of the registry editor, and of any
// other program (batch files, system tools work on the machine). Deletions
// that find nothing write nothing.
ElevationNeed FindElevationNeed(const ActionPlan& plan, RegistryBackend& live);

// The need as words: "writes KEY and 3 more keys that only administrators
// may change, and starts the registry editor".
std::string ElevationNeedText(const ElevationNeed& need);

// Empty when the process is elevated or the plan needs no rights; otherwise
// the message that refuses the action `label`, naming what needs the rights
// and ending in `advice`.
std::string ElevationRefusal(const ActionPlan& plan, RegistryBackend& live, Processes& processes,
                             const std::string& label,
                             const std::string& advice = "run it from an elevated prompt.");

}  // namespace velotune
