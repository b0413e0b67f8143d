#include "tweaks/backed_up_action.h"

#include "platform/reg_script.h"
#include "platform/registry_compare.h"
#include "platform/seams.h"
#include "tweaks/backups.h"
#include "tweaks/checked_action.h"
#include "tweaks/elevation_check.h"

namespace velotune {

std::string CheckedRestoreScript(ActionPlan& plan) {
  const std::string script = Version5Script(plan.Layer().RestoreLines(), true);
  LayeredRegistry scratch(static_cast<RegistryBackend&>(plan.Layer()));
  try {
    ApplyRegScript(scratch, ParseRegScript(script, true));
  } catch (const RegScriptError& e) {
    throw BackupNotWritten(std::string("Read back, the backup cannot be imported: ") + e.what());
  }
  std::vector<RegItem> items = plan.Layer().Touched();
  for (const RegItem& item : scratch.Touched()) items.push_back(item);
  const std::string difference = FirstDifference(plan.Before(), scratch, items);
  if (!difference.empty())
    throw BackupNotWritten("Read back, the backup would not restore " + difference);
  return script;
}

std::string BackUpPlan(ActionPlan& plan, Files& files, const std::string& action,
                       const LocalTime& now, const std::string& keep) {
  if (!plan.Error().empty()) throw Exception(plan.Error());
  const bool machine = FindElevationNeed(plan, plan.Before()).Any();
  return WriteBackup(files, action, CheckedRestoreScript(plan), now, keep,
                     machine ? BackupPlace::kMachine : BackupPlace::kUser);
}

const char kWindowElevationAdvice[] = "start Velotune with \"Run as administrator\".";

std::string RunWithBackup(const std::string& action, const LocalTime& now,
                          const std::function<void()>& run, const std::string& label) {
  const ActionSeams seams{ActiveRegistry(), ActiveFiles(), ActiveProcesses(), [now] { return now; },
                          kWindowElevationAdvice};
  std::string path;
  {
    ActionPlan plan(seams.registry, seams.files, seams.processes);
    plan.Run(run);
    path = BackUpPlannedAction(plan, seams, {action, label.empty() ? action : label, run, "", {}});
  }
  run();
  return path;
}

}  // namespace velotune
