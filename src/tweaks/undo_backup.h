// Undoing a backup: velotune-cli undo and the window's restore of a backup
// both go through here.
//
//   ListBackups(files)        (backups.h) both folders, newest first; each
//                             BackupInfo has its Path(), place (the machine's
//                             protected folder or the user's), time, action,
//                             `undoes` (an undo's own backup: the one it
//                             undid) and `undone`.
//   ChooseBackup(files, text) what a request names: "" the newest backup not
//                             undone and not an undo's own; a file name in
//                             either folder, in any letter case, ".reg"
//                             optional; or a path to any file.
//   UndoBackup(seams, req)    chooses, reads the file through whole, plans
//                             its restore, refuses with nothing changed
//                             (ActionRefused) what it must not run, backs the
//                             undo up, runs it and reads it back
//                             (RunChecked); once it has run through, its own
//                             backup is named as the undo of the one chosen,
//                             which then counts as undone.
//
// A backup that would write machine-wide keys (or start the registry editor)
// runs only from the machine's folder, when only administrators can have
// written the file, or when the request names it by its path and trusts it.
#pragma once

#include <string>

#include "tweaks/backups.h"
#include "tweaks/checked_action.h"

namespace velotune {

struct UndoRequest {
  std::string backup;  // as ChooseBackup takes it
  bool trust = false;  // a file named by its path may write machine-wide keys
};

// Whether the request text is a path rather than a backup's name.
bool NamesAPath(const std::string& request);

// Raises ActionRefused (kNoSuchBackup, kNothingToUndo) when the request finds
// nothing to undo. A path outside both folders gives a BackupInfo whose
// action is empty.
BackupInfo ChooseBackup(Files& files, const std::string& request);

CheckedRun UndoBackup(const ActionSeams& seams, const UndoRequest& request);

}  // namespace velotune
