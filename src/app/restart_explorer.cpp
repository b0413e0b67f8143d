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
  ActiveProcesses().WinExec(RestartExplorerCommand(recentFolder), kSwHide);
}

}  // namespace velotune
