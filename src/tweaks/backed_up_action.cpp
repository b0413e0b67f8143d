#include "tweaks/backed_up_action.h"

#include "platform/seams.h"
#include "tweaks/action_plan.h"
#include "tweaks/backups.h"

namespace velotune {

std::string RunWithBackup(const std::string& action, const LocalTime& now,
                          const std::function<void()>& run) {
  std::string path;
  {
    ActionPlan plan(ActiveRegistry(), ActiveFiles(), ActiveProcesses());
    plan.Run(run);
    path = WriteBackup(ActiveFiles(), action, plan.Layer().RestoreScript(), now);
  }
  run();
  return path;
}

}  // namespace velotune
