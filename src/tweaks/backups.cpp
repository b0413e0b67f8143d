#include "tweaks/backups.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/text_case.h"

namespace velotune {

namespace {

const char kSubFolder[] = "Velotune\\Backups\\";
const char kExtension[] = ".reg";

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

std::string BackupFileName(const LocalTime& time, const std::string& action) {
  std::string name;
  for (char c : action)
    if (std::isalnum(static_cast<unsigned char>(c)) || c == '-') name += LowerChar(c);
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d_%02d-%02d-%02d-%03d_", time.year, time.month,
                time.day, time.hour, time.minute, time.second, time.millisecond);
  return stamp + name + kExtension;
}

bool ParseBackupFileName(const std::string& file, BackupInfo* info) {
  // 2014-06-01_13-45-12-345_action.reg
  const std::size_t stampLength = 24;
  const std::size_t extension = sizeof kExtension - 1;
  if (file.size() <= stampLength + extension ||
      file.compare(file.size() - extension, extension, kExtension) != 0)
    return false;
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
    if (!ReadNumber(file, f.at, f.digits, f.value) || file[f.at + f.digits] != f.after)
      return false;
  const std::string action = file.substr(stampLength, file.size() - stampLength - extension);
  if (!IsActionName(action)) return false;
  info->file = file;
  info->time = t;
  info->action = action;
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
  for (const std::string& file : files.ListFiles(BackupFolder(files))) {
    BackupInfo info;
    if (ParseBackupFileName(file, &info)) backups.push_back(info);
  }
  std::sort(backups.begin(), backups.end(),
            [](const BackupInfo& a, const BackupInfo& b) { return a.file > b.file; });
  return backups;
}

std::string WriteBackup(Files& files, const std::string& action, const std::string& script,
                        const LocalTime& time, const std::string& keep) {
  const std::string folder = BackupFolder(files);
  if (!files.MakeFolders(folder))
    throw BackupNotWritten("The folder " + folder + " cannot be made.");
  // Names sort in the order the backups were written, even when two come
  // within a millisecond or the clock was put back; a name another writer
  // took meanwhile is passed over.
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
  const std::vector<BackupInfo> backups = ListBackups(files);
  for (std::size_t i = kBackupsKept; i < backups.size(); ++i)
    if (backups[i].file != name && backups[i].file != keep) files.Delete(folder + backups[i].file);
  return folder + name;
}

}  // namespace velotune
