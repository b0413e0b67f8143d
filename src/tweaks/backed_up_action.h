// Running an action so that it can be undone: its plan is made over the
// installed seams, the script restoring everything it touches is written as a
// backup, and only then does the action run.
#pragma once

#include <functional>
#include <string>

#include "platform/local_time.h"

namespace velotune {

// Raises BackupError, before anything has changed, when the backup cannot be
// written; otherwise runs the action (whose failures pass through as ever)
// and returns the backup's path.
std::string RunWithBackup(const std::string& action, const LocalTime& now,
                          const std::function<void()>& run);

}  // namespace velotune
