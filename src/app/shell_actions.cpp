#include "app/shell_actions.h"

#include <shlobj.h>

#include "platform/seams.h"

namespace velotune {

void OpenWithShell(HWND owner, const std::string& target, int showCommand) {
  ActiveProcesses().ShellOpen(owner, target, showCommand);
}

std::string GetSpecialFolder(HWND owner, int folder) {
  LPITEMIDLIST list = nullptr;
  if (SHGetSpecialFolderLocation(owner, folder, &list) != S_OK || !list) return "";
  char path[261] = {};
  BOOL ok = SHGetPathFromIDListA(list, path);
  CoTaskMemFree(list);
  if (!ok) return "";
  std::string result = path;
  while (result.size() > 3 && result.back() == '\\') result.pop_back();
  return result;
}

std::string ProgramFilePath() {
  char path[MAX_PATH + 1] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length);
}

}  // namespace velotune
