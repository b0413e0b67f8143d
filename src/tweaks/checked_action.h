// Running an action behind its checked backup, as velotune-cli's apply and
// undo and the window's restore of a backup do: plan it; refuse it, with
// nothing changed, when it would fail, needs administrator rights this
// process lacks, or is vetted away, or when no backup can be written; write
// the backup (in the machine's folder when the action needs the rights);
// run it; read back everything it touched.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/local_time.h"
#include "platform/processes.h"
#include "platform/registry_backend.h"
#include "tweaks/action_plan.h"

namespace velotune {

// What an action runs over; `run` functions use the active seams, which
// must be these.
struct ActionSeams {
  RegistryBackend& registry;
  Files& files;
  Processes& processes;
  std::function<LocalTime()> now;
  // Ends the message refusing an action for want of rights.
  std::string elevationAdvice = "run it from an elevated prompt.";
};

// Raised before anything has changed; the message says why. (BackupError
// says that no backup could be written; kWouldFail carries the plan's own
// message.)
class ActionRefused : public Exception {
 public:
  enum class Reason {
    kNoSuchBackup,   // undo: the name or path finds no backup
    kNothingToUndo,  // undo: no backup left that is not undone or an undo's own
    kUnreadable,     // undo: the file cannot be read or does not read through whole
    kWouldFail,      // the plan stops with the action's own message
    kNotElevated,    // it needs administrator rights that this process lacks
    kUntrusted,      // undo: a file anyone could have written would write machine-wide
  };
  ActionRefused(Reason reason, const std::string& message, std::string label = "")
      : Exception(message), reason_(reason), label_(std::move(label)) {}
  Reason reason() const { return reason_; }
  // kWouldFail: what messages call the action.
  const std::string& label() const { return label_; }

 private:
  Reason reason_;
  std::string label_;
};

struct CheckedAction {
  std::string name;           // what its backup is named by: "one-click", "undo"
  std::string label;          // what messages call it: "1-Click Tweak (one-click)"
  std::function<void()> run;  // the action itself
  std::string keep;           // the path of a backup pruning must leave
  // Called with the plan once the rights are known to suffice, before the
  // backup; raises ActionRefused to stop the action.
  std::function<void(ActionPlan&)> vet;
};

struct CheckedRun {
  std::string action;             // its name
  std::string label;              // what messages call it
  std::string backup;             // the backup written, full path
  std::string restored;           // an undo: the full path of the backup it undid
  std::string error;              // what stopped the run after it began (the error box's text)
  std::size_t checked = 0;        // values, keys and files read back
  std::vector<Mismatch> notHeld;  // those not as planned
  std::vector<std::string> notPreviewed;  // processes started beyond preview and undoing
};

// Refuses the planned action or writes its backup, returning the path.
std::string BackUpPlannedAction(ActionPlan& plan, const ActionSeams& seams,
                                const CheckedAction& action);

CheckedRun RunChecked(const ActionSeams& seams, const CheckedAction& action);

}  // namespace velotune
