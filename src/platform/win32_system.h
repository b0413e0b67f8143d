// The Win32 implementations of the process and file seams.
#pragma once

#include <string>

#include "platform/files.h"
#include "platform/processes.h"

namespace velotune {

// The system's text for an error code, without its trailing line break.
std::string SystemErrorText(unsigned long code);

// The rest of an open file (a HANDLE) read to its end; false on a failed read.
bool ReadOpenFile(void* file, std::string* data);

class Win32Processes : public Processes {
 public:
  void RunProcess(const std::string& application, const std::string& commandLine,
                  bool wait) override;
  unsigned WinExec(const std::string& commandLine, int showCommand) override;
  std::string NetUserName() override;
  void ShellOpen(void* owner, const std::string& target, int showCommand) override;
  // Under WOW64 the 64-bit tools, by full path.
  std::string ForSystemTools(const std::string& commandLine) override;
  // GetTokenInformation with TokenElevation on the process's token.
  bool Elevated() override;
};

class Win32Files : public Files {
 public:
  void WriteLines(const std::string& path, const std::vector<std::string>& lines) override;
  bool WriteNewFile(const std::string& path, const std::string& data) override;
  bool IsFolder(const std::string& path) override;
  bool Delete(const std::string& path) override;
  bool Exists(const std::string& path) override;
  std::string ProgramFolder() override;
  bool ReadAll(const std::string& path, std::string* data) override;
  std::vector<std::string> ListFiles(const std::string& folder) override;
  std::vector<std::string> ListFolders(const std::string& folder) override;
  bool MakeFolders(const std::string& folder) override;
  bool RemoveFolder(const std::string& folder) override;
  std::string LocalAppDataFolder() override;
  // SHGetFolderPath with CSIDL_COMMON_APPDATA.
  std::string CommonAppDataFolder() override;
  bool MakeProtectedFolder(const std::string& folder) override;
  bool ReadAllProtected(const std::string& path, std::string* data, bool* adminOnly) override;
  bool Rename(const std::string& from, const std::string& to) override;
};

}  // namespace velotune
