// Undo of a 10 MB backup, under Wine (a Windows program taking Google
// Benchmark's options, see bench/support/window_bench.h):
//   Undo/velotune   velotune-cli undo of the backup: read through whole,
//                   planned, its own undo backed up and checked, imported
//                   and read back;
//   Undo/regedit    its floor: the system's registry editor importing the
//                   same file silently (regedit /s).
// The backup deletes a key and makes it again with 92,000 values of every
// kind, as the backup of an action that deleted a large key does. Both start
// where such an undo starts, the key deleted by the action (untimed).
#include <shlobj.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/reg_script.h"
#include "window_bench.h"

namespace {

using namespace velotune;

constexpr int kValues = 92000;
const char kKey[] = "HKEY_CURRENT_USER\\Software\\VelotuneBench\\Undo";
const char kBackup[] = "2000-01-01_00-00-00-000_bench.reg";

std::string BesideThisProgram(const char* file) {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  return folder.substr(0, folder.find_last_of('\\') + 1) + file;
}

std::string BackupFolder() {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, path);
  const std::string folder = std::string(path) + "\\Velotune\\Backups\\";
  CreateDirectoryA((std::string(path) + "\\Velotune").c_str(), nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

// The script lines: strings with text beyond ASCII, DWORDs, binary data.
std::string BackupText() {
  std::vector<std::string> lines = {"", std::string("[-") + kKey + "]", "",
                                    std::string("[") + kKey + "]"};
  lines.reserve(kValues + 4);
  char line[160];
  for (int i = 0; i < kValues; ++i) {
    switch (i % 3) {
      case 0:
        std::snprintf(line, sizeof line, "\"Wert %06d\"=\"Grüße aus Köln, Nummer %06d, σ ✓\"", i,
                      i);
        break;
      case 1:
        std::snprintf(line, sizeof line, "\"Zahl %06d\"=dword:%08x", i, i * 2654435761u);
        break;
      default:
        std::snprintf(line, sizeof line,
                      "\"Daten %06d\"=hex:%02x,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f", i,
                      i & 0xFF);
    }
    lines.push_back(line);
  }
  return Version5Script(lines, true);
}

// Runs a command line to its end; its seconds.
double RunTimed(const std::string& commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::string command = commandLine;
  const double start = bench::Now();
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &process))
    return 0;
  WaitForSingleObject(process.hProcess, INFINITE);
  const double seconds = bench::Now() - start;
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  if (code != 0) std::fprintf(stderr, "%s exited with %lu\n", commandLine.c_str(), code);
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = BackupFolder() + kBackup;
  const std::string text = BackupText();
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  std::printf("backup: %s, %u bytes, %d values\n", path.c_str(), static_cast<unsigned>(written),
              kValues);
  const std::string undo = "\"" + BesideThisProgram("velotune-cli.exe") + "\" undo " + kBackup;
  const std::string regedit = "regedit.exe /s \"" + path + "\"";
  const auto deleteKey = [] {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VelotuneBench\\Undo");
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\VelotuneBench\\Undo");
  };
  return bench::RunWindowBenchmarks(argc, argv,
                                    {{"Undo/velotune", deleteKey, [&] { return RunTimed(undo); }},
                                     {"Undo/regedit", deleteKey, [&] { return RunTimed(regedit); }}});
}
