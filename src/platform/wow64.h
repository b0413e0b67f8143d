// What a 32-bit process needs to reach the 64-bit system it may run on. The
// calls come from kernel32 and advapi32 at run time: a system without them has
// no WOW64 either.
#pragma once

#include <windows.h>

#include <string>

namespace velotune {

// True when this process runs under WOW64 (a 32-bit process on 64-bit
// Windows). Asked once.
bool RunningUnderWow64();

// The system's Windows folder, shared by every user ("C:\Windows").
std::string SystemWindowsFolder();

// RegDeleteKeyExA in the given view when the system has it, else RegDeleteKeyA.
LONG DeleteKeyInView(HKEY parent, const wchar_t* subKey, REGSAM view);

// Turns file-system redirection off for this thread while it lives, when
// asked to and the process runs under WOW64. Keep it around one call: while
// it is off, the process's own library loads would find 64-bit files.
class FileRedirectionOff {
 public:
  explicit FileRedirectionOff(bool wanted);
  ~FileRedirectionOff();
  FileRedirectionOff(const FileRedirectionOff&) = delete;
  FileRedirectionOff& operator=(const FileRedirectionOff&) = delete;

 private:
  bool off_ = false;
  void* previous_ = nullptr;
};

}  // namespace velotune
