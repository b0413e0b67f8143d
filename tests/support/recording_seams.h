// Processes and files that record what would have happened, for tests.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/processes.h"

namespace velotune {

class RecordingProcesses : public Processes {
 public:
  struct Call {
    std::string kind;  // "RunProcess", "WinExec" or "ShellOpen"
    std::string application;
    std::string commandLine;  // for ShellOpen, the target opened
    bool wait = false;
    int show = 0;
    void* owner = nullptr;  // the window that asked ShellOpen
  };
  std::vector<Call> calls;
  std::string userName = "Tester";
  // When set, RunProcess raises EOSError(failCode) instead of recording.
  unsigned long failCode = 0;
  // Called for each RunProcess, e.g. to import a script into the memory registry.
  std::function<void(const Call&)> onRun;
  // Put before every command line that goes through ForSystemTools, so that
  // tests see which ones did.
  std::string systemToolMark;
  bool elevated = true;

  void RunProcess(const std::string& application, const std::string& commandLine,
                  bool wait) override {
    if (failCode != 0) throw EOSError(failCode, "The system cannot find the file specified.");
    calls.push_back({"RunProcess", application, commandLine, wait, 0});
    if (onRun) onRun(calls.back());
  }
  unsigned WinExec(const std::string& commandLine, int showCommand) override {
    calls.push_back({"WinExec", "", commandLine, false, showCommand});
    return 33;
  }
  std::string NetUserName() override { return userName; }
  void ShellOpen(void* owner, const std::string& target, int showCommand) override {
    calls.push_back({"ShellOpen", "", target, false, showCommand, owner});
  }
  std::string ForSystemTools(const std::string& commandLine) override {
    return systemToolMark + commandLine;
  }
  bool Elevated() override { return elevated; }

  std::vector<std::string> CommandLines() const {
    std::vector<std::string> out;
    for (const Call& c : calls) out.push_back(c.commandLine);
    return out;
  }
};

class RecordingFiles : public Files {
 public:
  std::map<std::string, std::vector<std::string>> files;  // path -> lines
  std::vector<std::string> deleted;
  std::string folder = "C:\\Program Files\\Velotune\\";
  std::string localAppData = "C:\\Users\\Tester\\AppData\\Local\\";
  std::set<std::string> folders;
  std::set<std::string> whole;  // files written whole (WriteNewFile)
  std::string commonAppData = "C:\\ProgramData\\";
  // Folders made so that only administrators can change them, and the files
  // written whole into them: only administrators could have written those.
  std::set<std::string> protectedFolders;
  std::set<std::string> adminOnly;
  bool refuseCreate = false;
  bool refuseFolders = false;
  // A full disk: WriteNewFile fails, leaving nothing, for more bytes than this.
  std::size_t diskSpace = static_cast<std::size_t>(-1);

  void WriteLines(const std::string& path, const std::vector<std::string>& lines) override {
    if (refuseCreate) throw EFCreateError(CannotCreateFileMessage(path, "Access is denied."));
    files[path] = lines;
  }
  // Whole files are kept as their bytes, one "line" without its line end.
  bool WriteNewFile(const std::string& path, const std::string& data) override {
    if (refuseCreate) throw EFCreateError(CannotCreateFileMessage(path, "Access is denied."));
    if (data.size() > diskSpace)
      throw EFCreateError(CannotCreateFileMessage(path, "There is not enough space on the disk."));
    if (Exists(path)) return false;
    files[path] = {data};
    whole.insert(path);
    if (protectedFolders.count(path.substr(0, path.find_last_of('\\') + 1))) adminOnly.insert(path);
    return true;
  }
  // A folder made, or one that holds files or folders made.
  bool IsFolder(const std::string& path) override {
    const std::string folder = path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
    auto beneath = folders.lower_bound(folder + "\\");
    const bool made =
        beneath != folders.end() && beneath->compare(0, folder.size() + 1, folder + "\\") == 0;
    return !files.count(folder) && (made || Exists(folder));
  }
  bool Delete(const std::string& path) override {
    deleted.push_back(path);
    whole.erase(path);
    adminOnly.erase(path);
    return files.erase(path) > 0;
  }
  // A folder exists while a file lies in it.
  bool Exists(const std::string& path) override {
    if (files.count(path) > 0) return true;
    const std::string folder = path + "\\";
    auto next = files.lower_bound(folder);
    return next != files.end() && next->first.compare(0, folder.size(), folder) == 0;
  }
  std::string ProgramFolder() override { return folder; }
  bool ReadAll(const std::string& path, std::string* data) override {
    auto it = files.find(path);
    if (it == files.end()) return false;
    data->clear();
    if (whole.count(path)) {
      *data = it->second.empty() ? "" : it->second[0];
      return true;
    }
    for (const std::string& line : it->second) *data += line + "\r\n";
    return true;
  }
  std::vector<std::string> ListFiles(const std::string& in) override {
    std::vector<std::string> names;
    for (const auto& file : files)
      if (file.first.compare(0, in.size(), in) == 0 &&
          file.first.find('\\', in.size()) == std::string::npos)
        names.push_back(file.first.substr(in.size()));
    return names;
  }
  // Folders made, and those that files lie in.
  std::vector<std::string> ListFolders(const std::string& in) override {
    std::set<std::string> names;
    auto add = [&](const std::string& path) {
      if (path.size() <= in.size() || path.compare(0, in.size(), in) != 0) return;
      const std::size_t end = path.find('\\', in.size());
      if (end != std::string::npos) names.insert(path.substr(in.size(), end - in.size()));
    };
    for (const std::string& folder : folders) add(folder);
    for (const auto& file : files) add(file.first);
    return std::vector<std::string>(names.begin(), names.end());
  }
  bool MakeFolders(const std::string& path) override {
    if (refuseFolders) return false;
    folders.insert(path.back() == '\\' ? path : path + "\\");
    return true;
  }
  // Only an empty folder goes.
  bool RemoveFolder(const std::string& path) override {
    const std::string folder = path.back() == '\\' ? path : path + "\\";
    if (!ListFiles(folder).empty() || !ListFolders(folder).empty()) return false;
    return folders.erase(folder) > 0;
  }
  std::string LocalAppDataFolder() override { return localAppData; }
  std::string CommonAppDataFolder() override { return commonAppData; }
  bool MakeProtectedFolder(const std::string& path) override {
    if (!MakeFolders(path)) return false;
    protectedFolders.insert(path.back() == '\\' ? path : path + "\\");
    return true;
  }
  bool ReadAllProtected(const std::string& path, std::string* data, bool* onlyAdmins) override {
    *onlyAdmins = adminOnly.count(path) > 0;
    return ReadAll(path, data);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    if (!files.count(from) || Exists(to)) return false;
    files[to] = files[from];
    files.erase(from);
    for (std::set<std::string>* marks : {&whole, &adminOnly})
      if (marks->erase(from)) marks->insert(to);
    return true;
  }
};

}  // namespace velotune
