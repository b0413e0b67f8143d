// The program's backups as the Windows tests see them: the folders they are
// kept in, their names (which sort by time) and a file's bytes.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace velotune {

// The user's "Velotune\Backups" folder (backups of actions on the user's
// own keys), ending in a backslash.
inline std::string BackupFolder() {
  char local[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local);
  return std::string(local) + "\\Velotune\\Backups\\";
}

// The machine's (backups of actions that need administrator rights, as
// every action of the window does).
inline std::string MachineBackupFolder() {
  char common[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, common);
  return std::string(common) + "\\Velotune\\Backups\\";
}

// The backups' file names in a folder, oldest first.
inline std::set<std::string> BackupNames(const std::string& folder = MachineBackupFolder()) {
  std::set<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*.reg").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.insert(found.cFileName);
  while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

inline std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace velotune
