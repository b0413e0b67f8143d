// Running an action so that it can be undone: its plan is made over the
// installed seams, the script restoring everything it touches is checked and
// written as a backup, and only then does the action run.
#pragma once

#include <functional>
#include <string>

#include "platform/files.h"
#include "platform/local_time.h"
#include "tweaks/action_plan.h"

namespace velotune {

// The plan's restore script as a backup file, read back before it is
// trusted: imported through the importer over the state the plan leaves, it
// must give back the state before of every key and value the plan touches,
// and change nothing else. Raises BackupError, saying where it falls short,
// otherwise.
std::string CheckedRestoreScript(ActionPlan& plan);

// Refuses a plan that would fail (raising Exception with the plan's
// message), then writes its checked backup (WriteBackup, never pruning the
// path `keep`), in the machine's folder when the plan needs administrator
// rights, and returns the backup's path. Nothing has changed when it raises.
std::string BackUpPlan(ActionPlan& plan, Files& files, const std::string& action,
                       const LocalTime& now, const std::string& keep = "");

// What the window's refusals for want of rights advise.
extern const char kWindowElevationAdvice[];

// The window's way: plans the action over the installed seams, refuses it
// (ActionRefused) when it would fail or needs rights the process lacks,
// backs it up (BackupError when it cannot), runs it (whose failures pass
// through as ever) and returns the backup's path. Messages call it `label`.
std::string RunWithBackup(const std::string& action, const LocalTime& now,
                          const std::function<void()>& run, const std::string& label = "");

}  // namespace velotune
