#include "tweaks/backups.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>

#include "platform/text_case.h"

namespace velotune {

namespace {

const char kSubFolder[] = "Velotune\\Backups\\";
const char kExtension[] = ".reg";
const char kUndoOf[] = "undo_";
const std::size_t kStampLength = 24;  // "2014-06-01_13-45-12-345_"

bool ReadNumber(const std::string& text, std::size_t at, std::size_t digits, int* value) {
  if (at + digits > text.size()) return false;
  *value = 0;
  for (std::size_t i = at; i < at + digits; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    *value = *value * 10 + (text[i] - '0');
  }
  return true;
}

bool IsActionName(const std::string& action) {
  return !action.empty() && std::all_of(action.begin(), action.end(), [](char c) {
    return std::islower(static_cast<unsigned char>(c)) ||
           std::isdigit(static_cast<unsigned char>(c)) || c == '-';
  });
}

// A millisecond after, carried up to the hour.
LocalTime Later(LocalTime t) {
  if (++t.millisecond < 1000) return t;
  t.millisecond = 0;
  if (++t.second < 60) return t;
  t.second = 0;
  if (++t.minute < 60) return t;
  t.minute = 0;
  ++t.hour;
  return t;
}

// "2014-06-01_13-45-12-345_rest": the time, and the rest after it.
bool ParseStem(const std::string& stem, LocalTime* time, std::string* rest) {
  if (stem.size() <= kStampLength) return false;
  LocalTime t;
  struct Field {
    std::size_t at, digits;
    int* value;
    char after;
  };
  const Field fields[] = {{0, 4, &t.year, '-'},        {5, 2, &t.month, '-'},
                          {8, 2, &t.day, '_'},         {11, 2, &t.hour, '-'},
                          {14, 2, &t.minute, '-'},     {17, 2, &t.second, '-'},
                          {20, 3, &t.millisecond, '_'}};
  for (const Field& f : fields)
    if (!ReadNumber(stem, f.at, f.digits, f.value) || stem[f.at + f.digits] != f.after)
      return false;
  *time = t;
  *rest = stem.substr(kStampLength);
  return true;
}

// What an undo's own backup calls the backup it undid: its time and action.
std::string UndoKey(const BackupInfo& backup) {
  return BackupFileName(backup.time, backup.action);
}

// Newest first, an undo comes before what it undid, so whether it is itself
// undone is settled by the time its mark is read.
void MarkUndone(std::vector<BackupInfo>& backups) {
  std::multimap<std::string, BackupInfo*> byKey;
  for (BackupInfo& b : backups) byKey.emplace(UndoKey(b), &b);
  for (const BackupInfo& undo : backups) {
    if (undo.undoes.empty() || undo.undone) continue;
    const auto found = byKey.equal_range(undo.undoes);
    for (auto it = found.first; it != found.second; ++it) {
      // Anyone could have put an undo in the user's folder: it speaks only
      // for the user's own backups.
      if (undo.place == BackupPlace::kMachine || it->second->place == BackupPlace::kUser)
        it->second->undone = true;
    }
  }
}

void AddBackups(Files& files, const std::string& folder, BackupPlace place,
                std::vector<BackupInfo>* backups) {
  for (const std::string& file : files.ListFiles(folder)) {
    BackupInfo info;
    if (!ParseBackupFileName(file, &info)) continue;
    info.folder = folder;
    info.place = place;
    backups->push_back(info);
  }
}

}  // namespace

BackupError BackupNotWritten(const std::string& reason) {
  return BackupError("The registry backup could not be written, so nothing has been changed.\r\n" +
                     reason);
}

std::string BackupFolder(Files& files) {
  const std::string local = files.LocalAppDataFolder();
  if (local.empty()) throw BackupNotWritten("The system names no local application-data folder.");
  return local + kSubFolder;
}

std::string MachineBackupFolder(Files& files) {
  const std::string common = files.CommonAppDataFolder();
  if (common.empty()) throw BackupNotWritten("The system names no common application-data folder.");
  return common + kSubFolder;
}

std::string BackupFileName(const LocalTime& time, const std::string& action) {
  std::string name;
  for (char c : action)
    if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') name += LowerChar(c);
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d_%02d-%02d-%02d-%03d_", time.year, time.month,
                time.day, time.hour, time.minute, time.second, time.millisecond);
  return stamp + name + kExtension;
}

bool ParseBackupFileName(const std::string& file, BackupInfo* info) {
  const std::size_t extension = sizeof kExtension - 1;
  if (file.size() <= extension || file.compare(file.size() - extension, extension, kExtension) != 0)
    return false;
  const std::string stem = file.substr(0, file.size() - extension);
  LocalTime time;
  std::string action, undoes;
  if (!ParseStem(stem, &time, &action)) return false;
  if (action.compare(0, sizeof kUndoOf - 1, kUndoOf) == 0) {
    // The undo of the backup named after the mark.
    LocalTime undoneTime;
    std::string undoneAction;
    undoes = action.substr(sizeof kUndoOf - 1);
    if (!ParseStem(undoes, &undoneTime, &undoneAction) || !IsActionName(undoneAction)) return false;
    action = "undo";
    undoes += kExtension;
  } else if (!IsActionName(action)) {
    return false;
  }
  info->file = file;
  info->time = time;
  info->action = action;
  info->undoes = undoes;
  return true;
}

std::string BackupTimeText(const LocalTime& time) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day,
                time.hour, time.minute, time.second);
  return text;
}

std::vector<BackupInfo> ListBackups(Files& files) {
  std::vector<BackupInfo> backups;
  AddBackups(files, BackupFolder(files), BackupPlace::kUser, &backups);
  const std::string common = files.CommonAppDataFolder();
  if (!common.empty()) AddBackups(files, common + kSubFolder, BackupPlace::kMachine, &backups);
  std::sort(backups.begin(), backups.end(), [](const BackupInfo& a, const BackupInfo& b) {
    return a.file != b.file ? a.file > b.file : a.place > b.place;
  });
  MarkUndone(backups);
  return backups;
}

std::string WriteBackup(Files& files, const std::string& action, const std::string& script,
                        const LocalTime& time, const std::string& keep, BackupPlace place) {
  const bool machine = place == BackupPlace::kMachine;
  const std::string folder = machine ? MachineBackupFolder(files) : BackupFolder(files);
  if (machine ? !files.MakeProtectedFolder(folder) : !files.MakeFolders(folder))
    throw BackupNotWritten("The folder " + folder + " cannot be made" +
                           (machine ? " so that only administrators can change it." : "."));
  // Names sort in the order the backups were written, in both folders, even
  // when two come within a millisecond or the clock was put back; a name
  // another writer took meanwhile is passed over.
  LocalTime stamp = time;
  const std::vector<BackupInfo> earlier = ListBackups(files);
  if (!earlier.empty() && BackupFileName(stamp, "") <= BackupFileName(earlier.front().time, ""))
    stamp = Later(earlier.front().time);
  std::string name = BackupFileName(stamp, action);
  try {
    for (int tries = 0; !files.WriteNewFile(folder + name, script); ++tries) {
      if (tries == 1000) throw BackupNotWritten("Every name for it is taken in " + folder);
      stamp = Later(stamp);
      name = BackupFileName(stamp, action);
    }
  } catch (const BackupError&) {
    throw;
  } catch (const Exception& e) {
    throw BackupNotWritten(e.what());
  }
  std::size_t kept = 0;
  for (const BackupInfo& b : ListBackups(files)) {
    if (b.place != place || ++kept <= kBackupsKept) continue;
    if (b.file != name && b.Path() != keep) files.Delete(b.Path());
  }
  return folder + name;
}

std::string NameAsUndoOf(Files& files, const std::string& path, const BackupInfo& undone) {
  const std::size_t slash = path.find_last_of('\\') + 1;
  BackupInfo self;
  if (!ParseBackupFileName(path.substr(slash), &self) || undone.action.empty()) return path;
  std::string mark = UndoKey(undone);
  mark.resize(mark.size() - (sizeof kExtension - 1));
  const std::string named = path.substr(0, slash) + BackupFileName(self.time, kUndoOf + mark);
  return files.Rename(path, named) ? named : path;
}

}  // namespace velotune
