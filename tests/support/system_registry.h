// The registry as 64-bit Windows reads it, for Windows tests that run as
// 32-bit programs. In the 64-bit Wine prefix they run under WOW64: their own
// registry calls see the 32-bit view unless they ask for the 64-bit one, and
// the 32-bit view's HKLM\Software lives under Wow6432Node.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace velotune {

// True when the test was started for the 64-bit prefix, where it must find
// itself under WOW64 (so that a 32-bit prefix cannot pass for it unnoticed).
inline bool StartedForWin64() {
  const char* arch = std::getenv("VELOTUNE_WINEARCH");
  return arch && std::strcmp(arch, "win64") == 0;
}

inline bool UnderWow64() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

// The flag that opens the registry 64-bit Windows reads: KEY_WOW64_64KEY
// under WOW64, nothing on a 32-bit system, which has one view only.
inline REGSAM SystemView() {
  return UnderWow64() ? KEY_WOW64_64KEY : 0;
}

// What the system's own registry tool shows for a value: "REG_DWORD 0x0",
// "REG_SZ text", or "missing". Under WOW64 that is the 64-bit reg.exe, run
// through Sysnative, so the check does not rest on this process's view.
inline std::string SystemRegQuery(const std::string& key, const std::string& name) {
  char windows[MAX_PATH] = {};
  GetSystemWindowsDirectoryA(windows, MAX_PATH);
  std::string command = std::string(windows) +
                        (UnderWow64() ? "\\Sysnative\\reg.exe" : "\\System32\\reg.exe") +
                        " query \"" + key + "\" /v \"" + name + "\"";
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!CreatePipe(&read, &write, &inherit, 0)) return "no pipe";
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write;
  startup.hStdError = write;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION info = {};
  std::vector<char> line(command.begin(), command.end());
  line.push_back('\0');
  BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                nullptr, nullptr, &startup, &info);
  CloseHandle(write);
  std::string output;
  char buffer[512];
  DWORD got = 0;
  while (started && ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0)
    output.append(buffer, got);
  CloseHandle(read);
  if (!started) return "cannot start " + command;
  WaitForSingleObject(info.hProcess, INFINITE);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  // "    <name>    <type>    <data>" for the value, when there is one.
  const std::string prefix = "    " + name + "    ";
  std::string::size_type at = output.find("\n" + prefix);
  if (at == std::string::npos) return "missing";
  std::string shown = output.substr(at + 1 + prefix.size());
  shown = shown.substr(0, shown.find_first_of("\r\n"));
  std::string::size_type gap = shown.find("    ");
  return gap == std::string::npos ? shown : shown.substr(0, gap) + " " + shown.substr(gap + 4);
}

// Wine keeps the keys that both views share (Policies, App Paths, ...) as
// links inside Wow6432Node; what is in them is the 64-bit view's.
inline bool IsLink(HKEY parent, const std::string& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(parent, name.c_str(), REG_OPTION_OPEN_LINK, KEY_QUERY_VALUE | KEY_WOW64_64KEY,
                    &key) != ERROR_SUCCESS)
    return false;
  DWORD type = 0;
  bool link = RegQueryValueExA(key, "SymbolicLinkValue", nullptr, &type, nullptr, nullptr) ==
                  ERROR_SUCCESS &&
              type == REG_LINK;
  RegCloseKey(key);
  return link;
}

// Adds the key and every value and key beneath it, links left out: "path"
// and "path [name] type:bytes".
inline void CollectKeys(const std::string& path, std::set<std::string>* out) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) !=
      ERROR_SUCCESS)
    return;
  out->insert(path);
  char name[16384];
  std::vector<BYTE> data(1 << 16);
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof name, type = 0, size = static_cast<DWORD>(data.size());
    LONG rc = RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data.data(), &size);
    if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) break;  // the end, or a key that has none
    std::string entry =
        path + " [" + std::string(name, nameSize) + "] " + std::to_string(type) + ":";
    char hex[4];
    for (DWORD b = 0; rc == ERROR_SUCCESS && b < size; ++b) {
      std::snprintf(hex, sizeof hex, "%02x", data[b]);
      entry += hex;
    }
    out->insert(entry);
  }
  std::vector<std::string> children;
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof name;
    if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    if (!IsLink(key, std::string(name, nameSize))) children.emplace_back(name, nameSize);
  }
  RegCloseKey(key);
  for (const std::string& child : children) CollectKeys(path + "\\" + child, out);
}

// Everything the 32-bit view has of its own beneath HKLM\Software and its
// classes. Empty on a system without WOW64.
inline std::set<std::string> Wow6432NodeContents() {
  std::set<std::string> contents;
  if (!UnderWow64()) return contents;
  CollectKeys("Software\\Wow6432Node", &contents);
  CollectKeys("Software\\Classes\\Wow6432Node", &contents);
  return contents;
}

// The entries of `after` that `before` does not have: what came or changed.
inline std::vector<std::string> NewEntries(const std::set<std::string>& before,
                                           const std::set<std::string>& after) {
  std::vector<std::string> added;
  for (const std::string& entry : after)
    if (!before.count(entry)) added.push_back(entry);
  return added;
}

}  // namespace velotune
