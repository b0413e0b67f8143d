#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "fixes/fix_actions.h"
#include "fixes/fix_catalogue.h"
#include "fixes/fix_command_lines.h"
#include "platform/errors.h"
#include "platform/seams.h"
#include "tweaks/registry.h"

namespace velotune {

namespace {

// WinExec's results up to 31 are errors: the program could not be started.
constexpr unsigned kWinExecLastError = 31;
// The error box names at most this many repairs, then how many more, so that
// it fits on the screen even when every script is missing.
constexpr std::size_t kProblemsNamed = 10;
constexpr char kFixerFolder[] = "FIXER";

// Starts the repairs without waiting for them, and remembers the ones that
// could not even be started, so that the run does not look successful when a
// script is missing or the system refused to start the registry editor.
class RepairStarter {
 public:
  explicit RepairStarter(std::string folder)
      : folder_(std::move(folder)), fixerMissing_(!ActiveFiles().Exists(folder_ + kFixerFolder)) {}

  void Import(const std::string& script) {
    StartFile(script, ActiveProcesses().ForSystemTools(ImportCommandLine(folder_, script)));
  }
  void RunBatch(const std::string& batch) {
    StartFile(batch, ActiveProcesses().ForSystemTools(BatchCommandLine(folder_, batch)));
  }

  void Command(const std::string& commandLine) {
    unsigned result = ActiveProcesses().WinExec(commandLine, kSwShowNormal);
    if (result <= kWinExecLastError) {
      problems_.push_back("Cannot run " + commandLine + " (error " + std::to_string(result) + ")");
    }
  }

  // Raises one error naming the repairs that did not start: the first ten,
  // then how many more. A missing FIXER folder is one line with its path.
  void ReportProblems() const {
    if (problems_.empty()) return;
    std::string message = "Some repairs could not be started:";
    const std::size_t named = std::min(problems_.size(), kProblemsNamed);
    for (std::size_t i = 0; i < named; ++i) message += "\r\n" + problems_[i];
    if (problems_.size() > named)
      message += "\r\nand " + std::to_string(problems_.size() - named) + " more";
    throw Exception(message);
  }

 private:
  void StartFile(const std::string& file, const std::string& commandLine) {
    if (fixerMissing_) {
      if (!fixerReported_) problems_.push_back("Missing folder " + folder_ + kFixerFolder);
      fixerReported_ = true;
      return;
    }
    if (!ActiveFiles().Exists(folder_ + file)) {
      problems_.push_back("Missing " + folder_ + file);
      return;
    }
    Command(commandLine);
  }

  std::string folder_;
  bool fixerMissing_;
  bool fixerReported_ = false;
  std::vector<std::string> problems_;
};

// Runs on every press, whatever chkDRE shows: lifts the policy that disables
// the registry editor and removes a debugger redirection of regedit.exe.
void RepairRegistryEditor() {
  SetSystemPolicy(0, 0);
  DeleteRegKey(RegistryRoot::LocalMachine,
               "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution "
               "Options\\regedit.exe");
}

void Perform(const FixStep& step, const ControlStates& controls, RepairStarter& starter) {
  switch (step.action) {
    case FixAction::kImport:
      starter.Import(step.target);
      break;
    case FixAction::kRunBatch:
      starter.RunBatch(step.target);
      break;
    case FixAction::kCommand:
      starter.Command(step.target);
      break;
    case FixAction::kImportChosen: {
      const std::vector<std::string>& scripts = FolderOptionsScripts();
      int index = controls.ItemIndex(step.target);
      if (index >= 0 && index < static_cast<int>(scripts.size())) starter.Import(scripts[index]);
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
  RepairStarter starter(ActiveFiles().ProgramFolder());
  for (const FixRow& row : FixCatalogue()) {
    if (!controls.Checked(row.control)) continue;
    for (const FixStep& step : row.steps) Perform(step, controls, starter);
  }
  starter.ReportProblems();
}

}  // namespace velotune
