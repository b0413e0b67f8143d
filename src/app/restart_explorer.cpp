#include "app/restart_explorer.h"

#include "app/logic/shell_commands.h"
#include "platform/errors.h"
#include "platform/processes.h"
#include "platform/seams.h"

namespace velotune {

void RestartExplorerIn(const std::string& recentFolder) {
  std::string path = RestartExplorerBatchPath(recentFolder);
  if (path.empty()) throw Exception(kRecentFolderUnknown);
  // A file that cannot be written raises, and the command is then not run.
  ActiveFiles().WriteLines(path, RestartExplorerBatchLines());
  // The system's own command interpreter, so that on 64-bit Windows the
  // Explorer it starts again is the 64-bit shell.
  Processes& processes = ActiveProcesses();
  processes.WinExec(processes.ForSystemTools(RestartExplorerCommand(recentFolder)), kSwHide);
}

}  // namespace velotune
