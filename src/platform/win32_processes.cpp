#include <windows.h>
// After windows.h, which they need.
#include <shellapi.h>
#include <winnetwk.h>

#include <vector>

#include "platform/errors.h"
#include "platform/native_tools.h"
#include "platform/win32_system.h"
#include "platform/wow64.h"

namespace velotune {

std::string SystemErrorText(unsigned long code) {
  char* buffer = nullptr;
  DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                           nullptr, code, 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
  std::string text = n && buffer ? std::string(buffer, n) : std::string();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' ||
                           text.back() == '\0'))
    text.pop_back();
  return text;
}

namespace {

// The Windows folder's registry editor, named in full, is the 64-bit one only
// while the file-system redirector keeps its hands off the path.
bool NeedsRedirectionOff(const std::string& program) {
  return RunningUnderWow64() && StartsWindowsRegistryEditor(program, SystemWindowsFolder());
}

}  // namespace

void Win32Processes::RunProcess(const std::string& application, const std::string& commandLine,
                                bool wait) {
  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;  // 68 bytes: default placement and show state
  PROCESS_INFORMATION info;
  ZeroMemory(&info, sizeof info);
  // CreateProcessA may write into the command line, so it gets its own copy.
  std::vector<char> command(commandLine.begin(), commandLine.end());
  command.push_back('\0');
  BOOL started;
  DWORD code;
  {
    FileRedirectionOff off(
        NeedsRedirectionOff(application.empty() ? commandLine : '"' + application + '"'));
    started =
        CreateProcessA(application.empty() ? nullptr : application.c_str(), command.data(), nullptr,
                       nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &info);
    code = GetLastError();
  }
  if (!started) throw EOSError(code, SystemErrorText(code));
  if (wait) WaitForSingleObject(info.hProcess, INFINITE);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
}

unsigned Win32Processes::WinExec(const std::string& commandLine, int showCommand) {
  FileRedirectionOff off(NeedsRedirectionOff(commandLine));
  return ::WinExec(commandLine.c_str(), static_cast<UINT>(showCommand));
}

std::string Win32Processes::ForSystemTools(const std::string& commandLine) {
  if (!RunningUnderWow64()) return commandLine;
  return NativeToolCommandLine(commandLine, SystemWindowsFolder());
}

std::string Win32Processes::NetUserName() {
  char name[261] = {};
  DWORD size = 260;
  if (WNetGetUserA(nullptr, name, &size) != NO_ERROR) return "";
  return std::string(name);
}

void Win32Processes::ShellOpen(void* owner, const std::string& target, int showCommand) {
  ShellExecuteA(static_cast<HWND>(owner), nullptr, target.c_str(), nullptr, nullptr, showCommand);
}

}  // namespace velotune
