// Starting programs, opening documents and asking the system who is logged
// on and with what rights: the seam that lets tests record the command lines
// and targets instead of running them, and say what rights the process has.
#pragma once

#include <string>

namespace velotune {

class Processes {
 public:
  virtual ~Processes() = default;
  // CreateProcessA with default start-up information and NORMAL_PRIORITY_CLASS;
  // waits for the process to end when asked. Raises EOSError when the process
  // cannot be started.
  virtual void RunProcess(const std::string& application, const std::string& commandLine,
                          bool wait) = 0;
  // WinExec: fire and forget; the result is returned but callers ignore it.
  virtual unsigned WinExec(const std::string& commandLine, int showCommand) = 0;
  // WNetGetUserA for the current logon; empty on any failure.
  virtual std::string NetUserName() = 0;
  // ShellExecuteA with the default verb, no parameters and no directory:
  // opens a web address, document or folder. `owner` is the window that asks
  // (an HWND). Fire and forget: the result is ignored.
  virtual void ShellOpen(void* owner, const std::string& target, int showCommand) = 0;
  // A command line that starts the registry editor or the command interpreter
  // as it must be started so that the tool works on the registry, files and
  // processes the system itself uses. Unchanged unless the system starts other
  // tools for a bare name (a 32-bit process on 64-bit Windows).
  virtual std::string ForSystemTools(const std::string& commandLine) { return commandLine; }
  // Whether this process holds the administrator's full rights (its token's
  // elevation). Without them the system refuses writes to machine-wide keys
  // and will not start the registry editor for it.
  virtual bool Elevated() = 0;
};

constexpr int kSwHide = 0;
constexpr int kSwShowNormal = 1;
constexpr int kSwShow = 5;

}  // namespace velotune
