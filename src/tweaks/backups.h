// The registry scripts written before an action changes anything, each
// restoring what the action touches, named by time and action
// ("2014-06-01_13-45-12-345_one-click.reg", so names sort by time). Each is a
// version-5 script (UTF-16LE) ending in kBackupEndLine, written whole under
// a name no other file has; the newest kBackupsKept of each folder are kept.
//
// Two folders:
// - the machine's, "%ProgramData%\Velotune\Backups\", for actions that need
//   administrator rights (they write machine-wide keys or start system
//   tools): made so that only administrators and the system can change what
//   lies in it, since running one of its backups runs elevated;
// - the user's, "%LOCALAPPDATA%\Velotune\Backups\", for actions that write
//   only the user's own keys.
//
// An undo's own backup names the backup it undid
// ("2014-06-01_13-50-00-000_undo_2014-06-01_13-45-12-345_one-click.reg"),
// given once the undo has run through; "_undo.reg" alone when it did not or
// when written before undos were named so. A backup counts as undone while
// such a backup of an undo of it is kept and not itself undone.
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

enum class BackupPlace { kUser, kMachine };

struct BackupInfo {
  std::string file;    // the name in its folder
  std::string folder;  // ending in a backslash
  BackupPlace place = BackupPlace::kUser;
  LocalTime time;
  std::string action;  // "one-click", "page1", ...; "undo" for an undo's own backup
  std::string undoes;  // an undo's own backup: the file name of the backup it undid, if named
  bool undone = false;
  std::string Path() const { return folder + file; }
};

// The user's folder, ending in a backslash. Raises BackupError when the
// system does not name a local application-data folder.
std::string BackupFolder(Files& files);
// The machine's folder; raises BackupError when the system names no
// common application-data folder.
std::string MachineBackupFolder(Files& files);
std::string BackupFileName(const LocalTime& time, const std::string& action);
// False for any name this program did not give. Sets file, time, action and
// undoes.
bool ParseBackupFileName(const std::string& file, BackupInfo* info);
// "2014-06-01 13:45:12".
std::string BackupTimeText(const LocalTime& time);

// The backups of both folders, newest first, the undone ones marked. The
// machine's folder is left out when the system names none.
std::vector<BackupInfo> ListBackups(Files& files);

// Writes the script file (Version5Script) as the newest backup in the
// place's folder (the machine's made protected first), under a later name
// when the name is taken, and removes all but the newest kBackupsKept
// backups of that folder, never the one written nor the file at the path
// `keep` (the backup an undo reads). Returns the file's full path; raises
// BackupError, with the reason, when it cannot be written.
std::string WriteBackup(Files& files, const std::string& action, const std::string& script,
                        const LocalTime& time, const std::string& keep = "",
                        BackupPlace place = BackupPlace::kUser);

// Names the undo's own backup at `path` as the undo of `undone`; returns its
// new path, or `path` when it cannot be renamed.
std::string NameAsUndoOf(Files& files, const std::string& path, const BackupInfo& undone);

// The BackupError saying why no backup was written and nothing was changed.
BackupError BackupNotWritten(const std::string& reason);

}  // namespace velotune
