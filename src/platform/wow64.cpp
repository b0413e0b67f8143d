#include "platform/wow64.h"

#include "platform/registry_names.h"

namespace velotune {

namespace {

template <typename Function>
Function Find(const char* module, const char* name) {
  HMODULE handle = GetModuleHandleA(module);
  return handle ? reinterpret_cast<Function>(
                      reinterpret_cast<void (*)()>(GetProcAddress(handle, name)))
                : nullptr;
}

using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
using RegDeleteKeyExWFn = LONG(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);
using Wow64DisableFn = BOOL(WINAPI*)(PVOID*);
using Wow64RevertFn = BOOL(WINAPI*)(PVOID);

}  // namespace

bool RunningUnderWow64() {
  static const bool wow64 = [] {
    auto isWow64 = Find<IsWow64ProcessFn>("kernel32.dll", "IsWow64Process");
    BOOL result = FALSE;
    return isWow64 && isWow64(GetCurrentProcess(), &result) && result;
  }();
  return wow64;
}

std::string SystemWindowsFolder() {
  wchar_t folder[MAX_PATH] = {};
  UINT n = GetSystemWindowsDirectoryW(folder, MAX_PATH);
  return n > 0 && n < MAX_PATH ? Utf16ToUtf8(reinterpret_cast<const char16_t*>(folder), n)
                               : std::string("C:\\Windows");
}

LONG DeleteKeyInView(HKEY parent, const wchar_t* subKey, REGSAM view) {
  static const auto deleteEx = Find<RegDeleteKeyExWFn>("advapi32.dll", "RegDeleteKeyExW");
  if (view != 0 && deleteEx) return deleteEx(parent, subKey, view, 0);
  return RegDeleteKeyW(parent, subKey);
}

FileRedirectionOff::FileRedirectionOff(bool wanted) {
  if (!wanted || !RunningUnderWow64()) return;
  auto disable = Find<Wow64DisableFn>("kernel32.dll", "Wow64DisableWow64FsRedirection");
  off_ = disable && disable(&previous_);
}

FileRedirectionOff::~FileRedirectionOff() {
  if (!off_) return;
  auto revert = Find<Wow64RevertFn>("kernel32.dll", "Wow64RevertWow64FsRedirection");
  if (revert) revert(previous_);
}

}  // namespace velotune
