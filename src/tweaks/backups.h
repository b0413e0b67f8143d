// The registry scripts written before an action changes anything, each
// restoring what the action touches. They are kept in the user's local
// application-data folder under "Velotune\Backups", named by time and action
// ("2014-06-01_13-45-12-345_one-click.reg", so names sort by time); only the
// newest are kept. Each is a version-5 script (UTF-16LE) ending in
// kBackupEndLine, written whole under a name no other file has.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/local_time.h"

namespace velotune {

constexpr std::size_t kBackupsKept = 50;

// Raised when a backup cannot be written; the action must not run then.
class BackupError : public Exception {
 public:
  using Exception::Exception;
};

struct BackupInfo {
  std::string file;  // the name in the folder
  LocalTime time;
  std::string action;
};

// The folder, ending in a backslash. Raises BackupError when the system does
// not name a local application-data folder.
std::string BackupFolder(Files& files);
std::string BackupFileName(const LocalTime& time, const std::string& action);
// False for any name this program did not give.
bool ParseBackupFileName(const std::string& file, BackupInfo* info);
// "2014-06-01 13:45:12".
std::string BackupTimeText(const LocalTime& time);

// The backups in the folder, newest first.
std::vector<BackupInfo> ListBackups(Files& files);

// Writes the script file (Version5Script) as the newest backup, under a
// later name when the name is taken, and removes all but the newest
// kBackupsKept backups, never the one written nor `keep` (the backup an undo
// reads). Returns the file's full path; raises BackupError, with the reason,
// when it cannot be written.
std::string WriteBackup(Files& files, const std::string& action, const std::string& script,
                        const LocalTime& time, const std::string& keep = "");

// The BackupError saying why no backup was written and nothing was changed.
BackupError BackupNotWritten(const std::string& reason);

}  // namespace velotune
