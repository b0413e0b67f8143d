#include <windows.h>
// After windows.h, which they need.
#include <shellapi.h>
#include <winnetwk.h>

#include <vector>

#include "platform/errors.h"
#include "platform/native_tools.h"
#include "platform/registry_names.h"
#include "platform/win32_system.h"
#include "platform/wow64.h"

namespace velotune {

std::string SystemErrorText(unsigned long code) {
  wchar_t* buffer = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                           nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  std::string text =
      n && buffer ? Utf16ToUtf8(reinterpret_cast<const char16_t*>(buffer), n) : std::string();
  if (buffer) LocalFree(buffer);
  while (!text.empty() &&
         (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '\0'))
    text.pop_back();
  return text;
}

namespace {

// The Windows folder's registry editor, named in full, is the 64-bit one only
// while the file-system redirector keeps its hands off the path.
bool NeedsRedirectionOff(const std::string& program) {
  return RunningUnderWow64() && StartsWindowsRegistryEditor(program, SystemWindowsFolder());
}

// Command lines and paths travel as UTF-8 and reach the system as UTF-16.
std::wstring Wide(const std::string& text) {
  const std::u16string units = Utf8ToUtf16(text);
  return std::wstring(units.begin(), units.end());
}

// Starts the command line; false, with the system's error, when it cannot.
bool Start(const std::string& application, const std::string& commandLine, STARTUPINFOW* startup,
           PROCESS_INFORMATION* info, DWORD* code) {
  // CreateProcessW may write into the command line, so it gets its own copy.
  std::wstring command = Wide(commandLine);
  const std::wstring program = Wide(application);
  FileRedirectionOff off(
      NeedsRedirectionOff(application.empty() ? commandLine : '"' + application + '"'));
  const BOOL started =
      CreateProcessW(application.empty() ? nullptr : program.c_str(), &command[0], nullptr, nullptr,
                     FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr, startup, info);
  *code = started ? 0 : GetLastError();
  return started != 0;
}

}  // namespace

void Win32Processes::RunProcess(const std::string& application, const std::string& commandLine,
                                bool wait) {
  STARTUPINFOW startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;  // 68 bytes: default placement and show state
  PROCESS_INFORMATION info;
  ZeroMemory(&info, sizeof info);
  DWORD code = 0;
  if (!Start(application, commandLine, &startup, &info, &code))
    throw EOSError(code, SystemErrorText(code));
  if (wait) WaitForSingleObject(info.hProcess, INFINITE);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
}

// As WinExec does, which has no wide form: the window shown as asked, and a
// wait of up to 30 seconds for the program to take input; a number above 31
// when started, the system's error (0 to 31) when not.
unsigned Win32Processes::WinExec(const std::string& commandLine, int showCommand) {
  STARTUPINFOW startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showCommand);
  PROCESS_INFORMATION info;
  ZeroMemory(&info, sizeof info);
  DWORD code = 0;
  if (!Start("", commandLine, &startup, &info, &code)) return code < 32 ? code : 31;
  WaitForInputIdle(info.hProcess, 30000);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return 33;
}

std::string Win32Processes::ForSystemTools(const std::string& commandLine) {
  if (!RunningUnderWow64()) return commandLine;
  return NativeToolCommandLine(commandLine, SystemWindowsFolder());
}

std::string Win32Processes::NetUserName() {
  wchar_t name[261] = {};
  DWORD size = 260;
  if (WNetGetUserW(nullptr, name, &size) != NO_ERROR) return "";
  return Utf16ToUtf8(reinterpret_cast<const char16_t*>(name), wcslen(name));
}

void Win32Processes::ShellOpen(void* owner, const std::string& target, int showCommand) {
  ShellExecuteW(static_cast<HWND>(owner), nullptr, Wide(target).c_str(), nullptr, nullptr,
                showCommand);
}

}  // namespace velotune
