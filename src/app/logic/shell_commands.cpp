#include "app/logic/shell_commands.h"

namespace velotune {

std::string AddTrailingBackslash(const std::string& path) {
  if (path.empty() || path.back() == '\\') return path;
  return path + "\\";
}

std::string FolderOfFile(const std::string& filePath) {
  // A drive's colon also ends the folder part ("C:velotune.exe").
  std::string::size_type at = filePath.find_last_of("\\:");
  return at == std::string::npos ? std::string() : filePath.substr(0, at + 1);
}

const std::vector<std::string>& RestartExplorerBatchLines() {
  static const std::vector<std::string> kLines = {"@echo off", "taskkill /f /im explorer.exe",
                                                  "start explorer.exe", "Exit"};
  return kLines;
}

std::string RestartExplorerBatchPath(const std::string& recentFolder) {
  // Without a Recent folder the file would land in whatever folder is current.
  if (recentFolder.empty()) return "";
  return AddTrailingBackslash(recentFolder) + kRestartExplorerBatchName;
}

std::string RestartExplorerCommand(const std::string& recentFolder) {
  if (recentFolder.empty()) return "";
  return "cmd /c \"" + RestartExplorerBatchPath(recentFolder) + "\"";
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out.append(line).append("\r\n");
  return out;
}

}  // namespace velotune
