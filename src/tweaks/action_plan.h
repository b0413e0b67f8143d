// The plan of an action: what it would do, found by running it over a
// copy-on-write layer of the live registry, with files and processes that
// only record. The registry editor's imports are read from their scripts
// (SpeedUp.reg as the action writes it, the repair scripts from disk), so
// their changes are in the plan too; any other process is a step that cannot
// be previewed or undone.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/layered_registry.h"
#include "platform/processes.h"

namespace velotune {

struct PlanStep {
  enum class Kind { kRegistry, kWriteFile, kDeleteFile, kProcess };
  Kind kind = Kind::kRegistry;
  int depth = 0;                   // 1: read from a script that a process imports
  RegOperation operation;          // kRegistry
  std::string target;              // the file, or the command line
  std::vector<std::string> lines;  // kWriteFile: the lines written
  bool wait = false;               // kProcess: the action waits for it to end
  bool previewable = true;         // kProcess: its changes are in the plan
  bool exists = false;             // kDeleteFile: it removes a file that is there now
  std::string note;                // kProcess: the script it imports, or why it is not previewed
  std::string machineSpecific;     // kRegistry: why the write holds only on this machine, or empty
};

// An item the plan leaves in a known state, and what another registry (the
// live one after applying, or before) holds there instead.
struct Mismatch {
  RegItem item;  // for files, item.path is the file and isKey is false
  bool isFile = false;
  bool expectedPresent = false;
  RegValue expected;
  bool actualPresent = false;
  RegValue actual;
};

class ActionPlan {
 public:
  ActionPlan(RegistryBackend& live, Files& files, Processes& processes);
  ~ActionPlan();
  ActionPlan(const ActionPlan&) = delete;
  ActionPlan& operator=(const ActionPlan&) = delete;

  // Runs the action over the layer; nothing underneath changes. A failure
  // ends the run as it would end the action; its message is kept.
  void Run(const std::function<void()>& action);

  const std::vector<PlanStep>& Steps() const { return steps_; }
  // The message the action would fail with; empty when it would finish.
  const std::string& Error() const { return error_; }
  LayeredRegistry& Layer() { return layer_; }
  // The live registry as the plan found it (each key read once).
  LayeredRegistry& Before() { return before_; }
  // The processes whose effect the plan does not hold.
  std::vector<const PlanStep*> Unpreviewable() const;

  // Every registry item and file that the steps [first, end) touch, whose
  // state at the end of the plan `registry` and `files` do not hold; with
  // `checked`, how many items were compared.
  std::vector<Mismatch> Check(RegistryBackend& registry, Files& files, std::size_t first,
                              std::size_t end, std::size_t* checked = nullptr);
  std::vector<Mismatch> Check(RegistryBackend& registry, Files& files,
                              std::size_t* checked = nullptr) {
    return Check(registry, files, 0, steps_.size(), checked);
  }

 private:
  class PlanningFiles;
  class PlanningProcesses;

  std::vector<PlanStep> steps_;
  int depth_ = 0;
  std::string error_;
  LayeredRegistry before_;
  LayeredRegistry layer_;
  std::unique_ptr<PlanningFiles> files_;
  std::unique_ptr<PlanningProcesses> processes_;
};

// The script path of a command line that runs the registry editor with /s on
// a script ("regedit.exe /s "C:\...\x.reg""), whatever its folder or case.
bool ImportedScript(const std::string& commandLine, std::string* script);

}  // namespace velotune
