// The command line and the window against the prefix's real registry, with
// the real registry editor exporting it before and after: applying 1-Click
// Tweak and undoing it gives back the same export, byte for byte; the
// window's 1-Click Tweak leaves a backup that the registry editor imports to
// the same effect; and the command line then finds every control in place.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "platform/reg_script.h"
#include "platform/win32_registry.h"
#include "platform/win32_system.h"
#include "program_driver.h"
#include "support/backup_files.h"
#include "velotune_version.h"

namespace {

using velotune::BackupFolder;
using velotune::BackupNames;
using velotune::FileBytes;
using velotune::MachineBackupFolder;
using velotune::ProgramDriver;
namespace cli_exit = velotune::cli_exit;

// The last value the 1-Click Tweak writes.
constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr char kLastValue[] = "ThumbnailQuality";

bool LastValueWritten() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kExplorer, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  bool found =
      RegQueryValueExA(key, kLastValue, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  RegCloseKey(key);
  return found;
}

bool Answers(HWND window) {
  DWORD_PTR answer;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 500, &answer) != 0;
}

std::string BinFolder() {
  const std::string program = ProgramDriver::ProgramPath();
  return program.substr(0, program.find_last_of('\\') + 1);
}

std::string NewestBackup(const std::string& folder = MachineBackupFolder()) {
  const std::set<std::string> names = BackupNames(folder);
  return names.empty() ? "" : *names.rbegin();
}

// Runs the command line to its end; its standard output lands in `out`.
DWORD RunToEnd(const std::string& commandLine, std::string* out = nullptr) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  CreatePipe(&readEnd, &writeEnd, &inherit, 0);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = writeEnd;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process = {};
  std::string command = commandLine;
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process)) {
    CloseHandle(readEnd);
    CloseHandle(writeEnd);
    return 0xDEAD;
  }
  CloseHandle(writeEnd);
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0)
    text.append(buffer, read);
  CloseHandle(readEnd);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0xDEAD;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  if (out) *out = text;
  return code;
}

DWORD Cli(const std::string& arguments, std::string* out) {
  return RunToEnd("\"" + BinFolder() + "velotune-cli.exe\" " + arguments, out);
}

// An export without HKEY_LOCAL_MACHINE\Hardware: that tree is volatile, made
// again by the system as devices appear (the display's entry comes when the
// first program draws), and nothing here writes it.
std::string WithoutHardware(const std::string& text) {
  std::u16string wide(text.size() / 2, u'\0');
  for (std::size_t i = 0; i < wide.size(); ++i)
    wide[i] = static_cast<char16_t>(static_cast<unsigned char>(text[2 * i]) |
                                    static_cast<unsigned char>(text[2 * i + 1]) << 8);
  const std::u16string header = u"\r\n[HKEY_LOCAL_MACHINE\\Hardware";
  std::u16string kept;
  std::size_t at = 0;
  while (at < wide.size()) {
    std::size_t next = wide.find(u"\r\n[", at + 1);
    if (next == std::u16string::npos) next = wide.size();
    if (wide.compare(at, header.size(), header) != 0) kept.append(wide, at, next - at);
    at = next;
  }
  std::string out;
  for (char16_t c : kept) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  }
  return out;
}

// The whole registry as the registry editor exports it, but for the volatile
// hardware tree.
std::string Export(const std::string& name) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string path = std::string(temp) + name;
  DeleteFileA(path.c_str());
  EXPECT_EQ(0u, RunToEnd("regedit.exe /e \"" + path + "\""));
  std::string text = FileBytes(path);
  EXPECT_GT(text.size(), 1000u) << path;
  return WithoutHardware(text);
}

// Where two exports part, for the failure message (UTF-16 narrowed).
std::string FirstDifference(const std::string& a, const std::string& b) {
  std::size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  auto narrow = [&](const std::string& s) {
    std::string out;
    for (std::size_t i = at > 200 ? (at - 200) & ~1u : 0; i < std::min(s.size(), at + 200); i += 2)
      out += s[i];
    return out;
  };
  return "before:\n" + narrow(a) + "\nafter:\n" + narrow(b);
}

void SetValue(HKEY root, const char* key, const char* name, DWORD type, const void* data,
              DWORD size) {
  HKEY k;
  ASSERT_EQ(ERROR_SUCCESS,
            RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr));
  RegSetValueExA(k, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(k);
}

void DeleteTree(HKEY root, const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char name[256];
  for (DWORD size = sizeof name;
       RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       size = sizeof name)
    DeleteTree(key, name);
  RegCloseKey(key);
  RegDeleteKeyA(root, path.c_str());
}

// A registry on which 1-Click Tweak has much to do: keys it makes are gone,
// values it writes have other types, keys it deletes hold values of several
// types and sub-keys.
void Unsettle() {
  DeleteTree(HKEY_CURRENT_USER, "Software\\DownloadManager");
  HKEY explorer;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kExplorer, 0, KEY_ALL_ACCESS, &explorer) == ERROR_SUCCESS) {
    RegDeleteValueA(explorer, kLastValue);
    RegCloseKey(explorer);
  }
  DeleteTree(HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps\\Snarfer");
  const char expand[] = "%WINDIR%\\x";
  SetValue(HKEY_CURRENT_USER, "Control Panel\\Desktop", "MenuShowDelay", REG_EXPAND_SZ, expand,
           sizeof expand);
  const BYTE qword[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  SetValue(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
           "DisableCurrentUserRun", REG_QWORD, qword, sizeof qword);
  const char multi[] = "a\0b\0";
  SetValue(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\ShellNoRoam\\BagMRU", "List",
           REG_MULTI_SZ, multi, sizeof multi);
  const BYTE bytes[3] = {0xde, 0xad, 0x01};
  SetValue(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\ShellNoRoam\\BagMRU\\0", "MRU",
           REG_BINARY, bytes, sizeof bytes);
  const char tasks[] = "Scheduled Tasks";
  SetValue(HKEY_LOCAL_MACHINE,
           "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer\\NameSpace\\"
           "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}",
           "", REG_SZ, tasks, sizeof tasks);
  const DWORD off = 0;
  SetValue(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\Alerter", "Start", REG_DWORD,
           &off, sizeof off);
}

// Every key and value beneath the roots, read through the wide calls: key
// paths, value names, types and data, byte for byte (the volatile hardware
// tree left out).
void WideDump(HKEY key, const std::wstring& path, std::wstring* out) {
  *out += L"[" + path + L"]\n";
  std::vector<wchar_t> name(16384);
  std::vector<BYTE> data(1 << 16);
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = static_cast<DWORD>(name.size()), type = 0;
    DWORD dataSize = static_cast<DWORD>(data.size());
    LONG rc = RegEnumValueW(key, i, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize);
    if (rc == ERROR_MORE_DATA) {
      data.resize(dataSize + 1);
      --i;
      continue;
    }
    if (rc != ERROR_SUCCESS) break;
    *out += std::wstring(name.data(), nameSize) + L"=" + std::to_wstring(type) + L":";
    for (DWORD b = 0; b < dataSize; ++b) *out += static_cast<wchar_t>(0x100 + data[b]);
    *out += L"\n";
  }
  std::vector<std::wstring> children;
  wchar_t child[256];
  for (DWORD i = 0, size = 256;
       RegEnumKeyExW(key, i, child, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++i, size = 256)
    children.emplace_back(child, size);
  for (const std::wstring& c : children) {
    if (path == L"HKEY_LOCAL_MACHINE" && _wcsicmp(c.c_str(), L"HARDWARE") == 0) continue;
    HKEY sub;
    if (RegOpenKeyExW(key, c.c_str(), 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
    WideDump(sub, path + L"\\" + c, out);
    RegCloseKey(sub);
  }
}

std::wstring WideDump() {
  std::wstring out;
  WideDump(HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE", &out);
  WideDump(HKEY_USERS, L"HKEY_USERS", &out);
  return out;
}

std::string WideDifference(const std::wstring& a, const std::wstring& b) {
  std::size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  auto show = [&](const std::wstring& s) {
    std::string out;
    for (std::size_t i = at > 300 ? at - 300 : 0; i < std::min(s.size(), at + 200); ++i)
      out += s[i] < 0x80 ? static_cast<char>(s[i]) : '~';
    return out;
  };
  return "before:\n" + show(a) + "\nafter:\n" + show(b);
}

void SetWide(HKEY root, const wchar_t* key, const wchar_t* name, DWORD type,
             const std::vector<BYTE>& data) {
  HKEY k;
  ASSERT_EQ(ERROR_SUCCESS,
            RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr));
  ASSERT_EQ(ERROR_SUCCESS,
            RegSetValueExW(k, name, 0, type, data.data(), static_cast<DWORD>(data.size())));
  RegCloseKey(k);
}

std::vector<BYTE> Utf16(const std::wstring& text, bool terminated = true) {
  std::vector<BYTE> bytes;
  for (wchar_t c : text) {
    bytes.push_back(static_cast<BYTE>(c & 0xFF));
    bytes.push_back(static_cast<BYTE>(c >> 8));
  }
  if (terminated) bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

// Values that real machines carry, under keys that 1-Click Tweak, GREEN Boost
// and FIX IT! overwrite or delete: every type, odd sizes, text beyond any
// code page, a sub-key and a value named in Cyrillic, a name with a line
// break and a value of 100 kB.
void SeedAwkwardValues() {
  const wchar_t* bags = L"Software\\Microsoft\\Windows\\ShellNoRoam\\Bags";
  const wchar_t* key = L"Software\\Microsoft\\Windows\\ShellNoRoam\\Bags\\\x041a\x043b\x044e\x0447";
  const std::wstring hello = L"\x041f\x0440\x0438\x0432\x0435\x0442 \xd83d\xde00";
  SetWide(HKEY_CURRENT_USER, key, L"\x041f\x0440\x0438\x0432\x0435\x0442", REG_SZ, Utf16(hello));
  SetWide(HKEY_CURRENT_USER, key, L"", REG_SZ, Utf16(L"\x00e9t\x00e9 \x4e2d\x6587"));
  SetWide(HKEY_CURRENT_USER, key, L"Zeile\nZwei", REG_SZ, {'a', 0, 'b', 0, 'c'});
  SetWide(HKEY_CURRENT_USER, key, L"Expand", REG_EXPAND_SZ, Utf16(L"%TEMP%\\\x00fc", false));
  SetWide(HKEY_CURRENT_USER, key, L"Multi", REG_MULTI_SZ,
          Utf16(std::wstring(L"eins\0\x0434\x0432\x0430\0\0", 10), false));
  SetWide(HKEY_CURRENT_USER, key, L"Q", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8});
  SetWide(HKEY_CURRENT_USER, key, L"Big endian", REG_DWORD_BIG_ENDIAN, {0, 0, 1, 2});
  SetWide(HKEY_CURRENT_USER, key, L"None", REG_NONE, {7});
  SetWide(HKEY_CURRENT_USER, key, L"Own type", 0x12345, {1, 2, 3});
  SetWide(HKEY_CURRENT_USER, key, L"Short dword", REG_DWORD, {1, 2});
  SetWide(HKEY_CURRENT_USER, key, L"Empty", REG_SZ, {});
  std::vector<BYTE> big(100 * 1024);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<BYTE>(i * 7);
  SetWide(HKEY_CURRENT_USER, bags, L"Blob", REG_BINARY, big);
  SetWide(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\ShellNoRoam\\BagMRU",
          L"\x041f\x0440\x0438\x0432\x0435\x0442", REG_SZ, Utf16(hello));
  SetWide(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"MenuShowDelay", REG_SZ,
          {'4', 0, '0', 0, '0'});
  SetWide(HKEY_CURRENT_USER,
          L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.zip\\UserChoice\\"
          L"\x041a\x043b\x044e\x0447",
          L"Progid", REG_SZ, Utf16(hello));
}

// The seeds gone again, so that the tests after this one start from the
// prefix as it was.
void RemoveAwkwardValues() {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\ShellNoRoam\\Bags");
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\ShellNoRoam\\BagMRU");
  RegDeleteTreeW(
      HKEY_CURRENT_USER,
      L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.zip\\UserChoice\\"
      L"\x041a\x043b\x044e\x0447");
}

// The fix page's check boxes that a user can tick, as "list fix" shows them.
std::string EveryFixBox() {
  std::string list, sets;
  Cli("list fix", &list);
  std::istringstream lines(list);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string name, kind1, kind2;
    words >> name >> kind1 >> kind2;
    if (kind1 == "check" && kind2 == "box" && line.find("cannot be changed") == std::string::npos)
      sets += " --set " + name + "=1";
  }
  return sets;
}

TEST(CommandLine, AwkwardValuesComeBackByteForByteAfterEachActionAndItsUndo) {
  for (const std::string action : {"one-click", "green", "fix"}) {
    SCOPED_TRACE(action);
    SeedAwkwardValues();
    const std::wstring before = WideDump();
    std::string out;
    if (action == "fix") {
      // Wine has no powercfg: the run says so at its end, after every other
      // repair.
      ASSERT_EQ(3u, Cli("apply fix" + EveryFixBox(), &out)) << out;
      const std::size_t cannot = out.find("Cannot run ");
      EXPECT_EQ(cannot, out.find("Cannot run powercfg -restoredefaultschemes (error 2)")) << out;
      EXPECT_EQ(std::string::npos, out.find("Cannot run ", cannot + 1)) << out;
    } else {
      ASSERT_EQ(0u, Cli("apply " + action, &out)) << out;
      EXPECT_NE(std::string::npos, out.find("read back as planned")) << out;
    }
    EXPECT_NE(before, WideDump());
    ASSERT_EQ(0u, Cli("undo", &out)) << out;
    const std::wstring after = WideDump();
    EXPECT_TRUE(before == after) << WideDifference(before, after);
  }
  RemoveAwkwardValues();
}

TEST(CommandLine, ApplyOneClickThenUndoLeavesTheRegistryExportAsItWas) {
  Unsettle();
  const std::string before = Export("velotune-before.reg");
  std::string out;
  ASSERT_EQ(0u, Cli("apply one-click", &out)) << out;
  EXPECT_NE(std::string::npos, out.find("read back as planned")) << out;
  ASSERT_NE(before, Export("velotune-applied.reg"));
  ASSERT_EQ(0u, Cli("undo", &out)) << out;
  const std::string after = Export("velotune-after.reg");
  EXPECT_TRUE(before == after) << FirstDifference(before, after);
}

TEST(Window, OneClickBackupRestoresThePriorStateAndStatusFindsEveryControl) {
  Unsettle();
  ProgramDriver program;
  HWND main = program.StartToMainWindow(30000);
  ASSERT_NE(nullptr, main);
  const std::string before = Export("velotune-window-before.reg");
  const std::string previous = NewestBackup();
  HWND button = ProgramDriver::FindOne(main, "Button", "1-Click Tweak");
  ASSERT_NE(nullptr, button);
  ProgramDriver::Press(button);
  // Done when the backup is there, the save's last value is written and the
  // window answers again.
  ASSERT_TRUE(ProgramDriver::WaitFor(
      [&] { return LastValueWritten() && NewestBackup() != previous && Answers(main); }, 180000));
  const std::string backup = MachineBackupFolder() + NewestBackup();
  EXPECT_NE(std::string::npos, backup.find("_one-click.reg")) << backup;

  std::string status;
  EXPECT_EQ(0u, Cli("status --json", &status)) << status;
  EXPECT_NE(std::string::npos, status.find("\"error\":null")) << status;
  program.Stop();
  ASSERT_NE(before, Export("velotune-window-applied.reg"));

  ASSERT_EQ(0u, RunToEnd("regedit.exe /s \"" + backup + "\""));
  const std::string after = Export("velotune-window-after.reg");
  EXPECT_TRUE(before == after) << FirstDifference(before, after);
}

// Where the backups folder should be, a file stands: the backup cannot be
// written, the window says so, and 1-Click Tweak changes nothing.
TEST(Window, OneClickStopsBeforeAnyChangeWhenItsBackupCannotBeWritten) {
  Unsettle();
  const std::string folder = MachineBackupFolder();
  const std::string parked = folder.substr(0, folder.size() - 1) + "-parked";
  CreateDirectoryA(folder.substr(0, folder.rfind('\\', folder.size() - 2)).c_str(), nullptr);
  MoveFileA(folder.c_str(), parked.c_str());
  HANDLE blocker = CreateFileA(folder.substr(0, folder.size() - 1).c_str(), GENERIC_WRITE, 0,
                               nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, blocker);
  CloseHandle(blocker);

  ProgramDriver program;
  HWND main = program.StartToMainWindow(30000);
  ASSERT_NE(nullptr, main);
  const std::string before = Export("velotune-refused-before.reg");
  ProgramDriver::Press(ProgramDriver::FindOne(main, "Button", "1-Click Tweak"));
  HWND box = program.WaitForWindow("Velotune", "#32770", 60000);
  ASSERT_NE(nullptr, box);
  const std::string message = ProgramDriver::MessageBoxText(box);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  program.Stop();
  DeleteFileA(folder.substr(0, folder.size() - 1).c_str());
  MoveFileA(parked.c_str(), folder.c_str());

  EXPECT_EQ(0u, message.find("The registry backup could not be written, so nothing has been "
                             "changed."))
      << message;
  EXPECT_FALSE(LastValueWritten());
  const std::string after = Export("velotune-refused-after.reg");
  EXPECT_TRUE(before == after) << FirstDifference(before, after);
}

TEST(CommandLine, VersionIsTheProjectVersion) {
  std::string out;
  EXPECT_EQ(0u, Cli("--version", &out));
  EXPECT_EQ("velotune-cli " VELOTUNE_VERSION_TEXT "\r\n", out);
  EXPECT_EQ(0u, Cli("--json --version", &out));
  EXPECT_EQ("{\"version\":\"" VELOTUNE_VERSION_TEXT "\"}\r\n", out);
}

// Wine runs every program elevated; here the seam says the process is not.
class NotElevatedProcesses : public velotune::Win32Processes {
 public:
  bool Elevated() override { return false; }
};

std::string CliFormDescription() {
  HMODULE cli =
      LoadLibraryExA((BinFolder() + "velotune-cli.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  HRSRC resource = FindResourceA(cli, "MAIN_DFM", MAKEINTRESOURCEA(10));
  HGLOBAL loaded = resource ? LoadResource(cli, resource) : nullptr;
  const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  std::string text = data ? std::string(data, SizeofResource(cli, resource)) : "";
  FreeLibrary(cli);
  return text;
}

// Against the real registry and files: without elevation 1-Click Tweak is
// refused with exit code 5 before its backup, and the registry exports as
// before; an undo of the user's own keys runs all the same.
TEST(CommandLine, WithoutElevationMachineWideWorkIsRefusedAndTheUsersOwnRuns) {
  Unsettle();
  velotune::Win32Registry registry;
  velotune::Win32Files files;
  NotElevatedProcesses processes;
  velotune::CliEnvironment env{registry, files, processes, CliFormDescription(),
                               [] { return velotune::LocalTimeNow(); }};
  const std::string before = Export("velotune-unelevated-before.reg");
  const std::string previous = NewestBackup();
  velotune::CliResult refused = velotune::RunCli({"apply", "one-click"}, env);
  EXPECT_EQ(cli_exit::kNotElevated, refused.exitCode) << refused.out << refused.err;
  EXPECT_EQ(0u, refused.err.find("1-Click Tweak (one-click) needs administrator rights: it writes "
                                 "HKEY_"))
      << refused.err;
  EXPECT_EQ(previous, NewestBackup());
  const std::string after = Export("velotune-unelevated-after.reg");
  EXPECT_TRUE(before == after) << FirstDifference(before, after);

  const std::string name = "2000-01-01_00-00-00-000_page2.reg";
  const std::string folder = BackupFolder();
  CreateDirectoryA(folder.substr(0, folder.rfind('\\', folder.size() - 2)).c_str(), nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  std::ofstream(folder + name, std::ios::binary)
      << velotune::Version5Script({"[HKEY_CURRENT_USER\\Software\\Velotune Prüfung\\Größe]",
                                   "\"Gruß\"=\"Grüße ☕\"", "\"Zähler\"=dword:0000002a"},
                                  true);
  velotune::CliResult undone = velotune::RunCli({"undo", name}, env);
  EXPECT_EQ(cli_exit::kOk, undone.exitCode) << undone.out << undone.err;
  wchar_t text[16] = {};
  DWORD size = sizeof text;
  EXPECT_EQ(ERROR_SUCCESS,
            RegGetValueW(HKEY_CURRENT_USER, L"Software\\Velotune Pr\u00fcfung\\Gr\u00f6\u00dfe",
                         L"Gru\u00df", RRF_RT_REG_SZ, nullptr, text, &size));
  EXPECT_STREQ(L"Gr\u00fc\u00dfe \u2615", text);
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Velotune Pr\u00fcfung");
  DeleteFileA((folder + name).c_str());
  DeleteFileA((folder + NewestBackup(folder)).c_str());  // the undo's own
}

}  // namespace
