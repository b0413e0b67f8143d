#include <string>

#include "fixes/fix_actions.h"
#include "fixes/fix_catalogue.h"
#include "fixes/fix_command_lines.h"
#include "platform/seams.h"
#include "tweaks/registry.h"

namespace velotune {

namespace {

// Starts a repair and moves on: the result is ignored and nothing waits.
void Start(const std::string& commandLine) {
  ActiveProcesses().WinExec(commandLine, kSwShowNormal);
}

// Runs on every press, whatever chkDRE shows: lifts the policy that disables
// the registry editor and removes a debugger redirection of regedit.exe.
void RepairRegistryEditor() {
  SetSystemPolicy(0, 0);
  DeleteRegKey(RegistryRoot::LocalMachine,
               "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution "
               "Options\\regedit.exe");
}

void Perform(const FixStep& step, const ControlStates& controls, const std::string& folder) {
  switch (step.action) {
    case FixAction::kImport:
      Start(ImportCommandLine(folder, step.target));
      break;
    case FixAction::kRunBatch:
      Start(BatchCommandLine(folder, step.target));
      break;
    case FixAction::kCommand:
      Start(step.target);
      break;
    case FixAction::kImportChosen: {
      const std::vector<std::string>& scripts = FolderOptionsScripts();
      int index = controls.ItemIndex(step.target);
      if (index >= 0 && index < static_cast<int>(scripts.size())) {
        Start(ImportCommandLine(folder, scripts[index]));
      }
      break;
    }
    case FixAction::kWriteDwordUser:
      WriteDwordUser(step.target, step.valueName, step.dword);
      break;
    case FixAction::kEnsureClassesKey:
      EnsureKey(RegistryRoot::ClassesRoot, step.target);
      break;
    case FixAction::kWriteStringClasses:
      WriteStringClasses(step.target, step.valueName, step.text);
      break;
    case FixAction::kDeleteUserValue:
      DeleteRegValue(RegistryRoot::CurrentUser, step.target, step.valueName);
      break;
  }
}

}  // namespace

void Button8Click(ControlStates& controls) {
  RepairRegistryEditor();
  const std::string folder = ActiveFiles().ProgramFolder();
  for (const FixRow& row : FixCatalogue()) {
    if (!controls.Checked(row.control)) continue;
    for (const FixStep& step : row.steps) Perform(step, controls, folder);
  }
}

}  // namespace velotune
