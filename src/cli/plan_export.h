// What an action's plan writes, as records that another machine replays to
// the same end: for every registry item the plan touches, in the order it
// first touches it, the state the plan leaves it in, whatever this machine
// held before (a value already right here is still written there). Beside
// them, what the action does that no record carries. From the records, the
// three files an administrator deploys: registry policy files, a registry
// script, JSON.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/layered_registry.h"
#include "tweaks/action_plan.h"

namespace velotune {

// Something the action does that an export leaves out, and why.
struct LeftOut {
  enum class Kind { kRegistry, kFile, kProcess };
  Kind kind = Kind::kRegistry;
  RegItem item;        // kRegistry
  std::string target;  // kFile: the file; kProcess: the command line
  std::string what;    // one line: "HKEY_...\Key  "Name"", a file, a command line
  std::string reason;
};

struct PlanExport {
  // kCreateKey, kSetValue (the value as it ends), kDeleteValue, kDeleteKey.
  std::vector<RegOperation> records;
  // What no format carries: started processes, files, machine-specific writes.
  std::vector<LeftOut> leftOut;
};

PlanExport ExportPlan(ActionPlan& plan);

// The registry policy files of the records: HKEY_LOCAL_MACHINE (and
// HKEY_CLASSES_ROOT as its Software\Classes) in the machine's, HKEY_CURRENT_USER
// in the user's. What they cannot carry joins `leftOut`.
struct PolicyFiles {
  std::string machine, user;
  std::size_t machineInstructions = 0, userInstructions = 0;
};
PolicyFiles PolicyFilesOf(const std::vector<RegOperation>& records, std::vector<LeftOut>* leftOut);

// The records as one version-5 registry script, the first line after the
// header a comment with `title`.
std::string RegScriptOf(const std::vector<RegOperation>& records, const std::string& title);

// The records and what is left out, as one JSON object.
std::string JsonOf(const std::vector<RegOperation>& records, const std::vector<LeftOut>& leftOut,
                   const std::string& action, const std::string& title);

// One JSON object per record, and per left-out item.
std::string RecordJson(const RegOperation& record);
std::string LeftOutJson(const LeftOut& leftOut);

// The lines saying what is left out, grouped by reason in the order they
// first come: "Left out: REASON" then each item, indented.
std::vector<std::string> LeftOutLines(const std::vector<LeftOut>& leftOut);

}  // namespace velotune
