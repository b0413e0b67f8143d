// apply and undo without the administrator's rights: the system would refuse
// every machine-wide write and the start of the registry editor, and the
// action would stop halfway. The plan says beforehand whether it needs them.
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
  bool Any() const { return !machineKeys.empty() || registryEditor; }
};

// The plan's writes to HKEY_LOCAL_MACHINE, HKEY_USERS and the machine's part
// of HKEY_CLASSES_ROOT (as `live` holds the keys now), and its starts of the
// registry editor. Deletions that find nothing write nothing.
ElevationNeed FindElevationNeed(const ActionPlan& plan, RegistryBackend& live);

// Empty when the process is elevated or the plan needs no rights; otherwise
// the message that refuses the action `label`, naming what needs the rights.
std::string ElevationRefusal(const ActionPlan& plan, RegistryBackend& live, Processes& processes,
                             const std::string& label);

}  // namespace velotune
