#include "tweaks/undo_backup.h"

#include "platform/reg_script.h"
#include "platform/registry_names.h"
#include "platform/seams.h"
#include "tweaks/elevation_check.h"

namespace velotune {

namespace {

using Reason = ActionRefused::Reason;

// Paths compared as the file system compares them, but for case.
bool SamePath(const std::string& a, const std::string& b) {
  return FoldName(a) == FoldName(b);
}

// "C:\...\Backups\ or C:\...\Backups\": both folders, the machine's first.
std::string FolderNames(Files& files) {
  const std::string user = BackupFolder(files);
  const std::string common = files.CommonAppDataFolder();
  return common.empty() ? user : MachineBackupFolder(files) + " or " + user;
}

RegScript ReadThrough(const BackupInfo& backup, const std::string& text) {
  RegScript script;
  try {
    script = ParseRegScript(text, true);
  } catch (const RegScriptError& e) {
    throw ActionRefused(
        Reason::kUnreadable,
        "The backup " + backup.file + " cannot be read, so nothing has been changed: " + e.what());
  }
  if (!script.closed)
    throw ActionRefused(Reason::kUnreadable,
                        "The backup " + backup.file + " does not end with its closing line \"" +
                            kBackupEndLine +
                            "\": it may have been cut short, so nothing has been changed. The "
                            "system's registry editor can still import it (regedit " +
                            backup.Path() + ")");
  return script;
}

// Why a backup that needs the rights must not run: anyone could have
// written it. Empty when it may run.
std::string Distrust(Files& files, const BackupInfo& backup, bool adminOnly,
                     const UndoRequest& request, const ElevationNeed& need) {
  if (!need.Any() || (request.trust && NamesAPath(request.backup))) return "";
  const std::string machine = MachineBackupFolder(files);
  std::string why;
  if (backup.place != BackupPlace::kMachine)
    why = " does not lie in " + machine + ", the folder only administrators can change";
  else if (!adminOnly)
    why = " lies in " + machine +
          ", but its owner or its permissions let others than administrators change it";
  else
    return "";
  return "The backup " + backup.file + why + ", so anyone could have written it, and it " +
         ElevationNeedText(need) + ". Nothing has been changed. If you know it to be sound, " +
         "name it by its path and trust it: velotune-cli undo \"" + backup.Path() + "\" --trust";
}

}  // namespace

bool NamesAPath(const std::string& request) {
  return request.find_first_of("\\/") != std::string::npos;
}

BackupInfo ChooseBackup(Files& files, const std::string& request) {
  const std::vector<BackupInfo> backups = ListBackups(files);
  if (request.empty()) {
    for (const BackupInfo& b : backups)
      if (b.action != "undo" && !b.undone) return b;
    if (backups.empty())
      throw ActionRefused(Reason::kNothingToUndo,
                          "There are no backups to undo in " + FolderNames(files));
    throw ActionRefused(Reason::kNothingToUndo,
                        "Nothing is left to undo in " + FolderNames(files) +
                            ": every backup there has been undone or is an undo's own, which "
                            "only its name runs (velotune-cli backups lists them)");
  }
  if (NamesAPath(request)) {
    const std::size_t slash = request.find_last_of("\\/") + 1;
    BackupInfo outside;
    outside.folder = request.substr(0, slash);
    outside.file = request.substr(slash);
    for (const BackupInfo& b : backups)
      if (SamePath(b.folder, outside.folder) && SamePath(b.file, outside.file)) return b;
    if (!files.Exists(request) || files.IsFolder(request))
      throw ActionRefused(Reason::kNoSuchBackup, "There is no file " + request);
    return outside;
  }
  for (const BackupInfo& b : backups)
    if (SamePath(b.file, request) || SamePath(b.file, request + ".reg")) return b;
  throw ActionRefused(Reason::kNoSuchBackup, "There is no backup " + request + " in " +
                                                 FolderNames(files) +
                                                 " (velotune-cli backups lists them)");
}

CheckedRun UndoBackup(const ActionSeams& seams, const UndoRequest& request) {
  const BackupInfo chosen = ChooseBackup(seams.files, request.backup);
  std::string text;
  bool adminOnly = false;
  if (!seams.files.ReadAllProtected(chosen.Path(), &text, &adminOnly))
    throw ActionRefused(Reason::kUnreadable, "Cannot read the backup " + chosen.Path());
  // Read it through first: a damaged or cut backup stops before anything.
  const RegScript script = ReadThrough(chosen, text);
  text.clear();
  CheckedAction undo;
  undo.name = "undo";
  undo.label = "Undo of " + chosen.file;
  // As the registry editor does, whatever cannot be written is passed over;
  // reading back tells it.
  undo.run = [&script] {
    std::vector<std::string> passedOver;
    ApplyRegScript(ActiveRegistry(), script, &passedOver);
  };
  undo.keep = chosen.Path();
  undo.vet = [&](ActionPlan& plan) {
    const std::string distrust =
        Distrust(seams.files, chosen, adminOnly, request, FindElevationNeed(plan, seams.registry));
    if (!distrust.empty()) throw ActionRefused(Reason::kUntrusted, distrust);
  };
  CheckedRun run = RunChecked(seams, undo);
  run.restored = chosen.Path();
  if (run.error.empty()) run.backup = NameAsUndoOf(seams.files, run.backup, chosen);
  return run;
}

}  // namespace velotune
