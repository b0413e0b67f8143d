// The page saves and the GREEN Boost against Windows itself (run under Wine):
// the real registry, the real registry editor importing SpeedUp.reg, and real
// file deletion.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/seams.h"
#include "platform/win32_registry.h"
#include "platform/win32_system.h"
#include "support/map_control_states.h"
#include "tweaks/page_actions.h"
#include "tweaks/registry.h"
#include "tweaks/shared_steps.h"
#include "tweaks/tweak_fixture.h"

namespace velotune {
namespace {

const char kMouse[] = "Control Panel\\Mouse";
const char kRemoteNameSpace[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer\\NameSpace\\"
    "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}";
const char kShell[] = "Software\\Microsoft\\Windows\\Shell";

std::vector<BYTE> Read(HKEY root, const std::string& key, const std::string& name,
                       DWORD* type = nullptr) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return {};
  DWORD size = 0, kind = 0;
  std::vector<BYTE> data;
  if (RegQueryValueExA(handle, name.c_str(), nullptr, &kind, nullptr, &size) == ERROR_SUCCESS) {
    data.resize(size);
    RegQueryValueExA(handle, name.c_str(), nullptr, &kind, data.data(), &size);
  }
  if (type) *type = kind;
  RegCloseKey(handle);
  return data;
}

std::vector<BYTE> Dword(DWORD v) {
  return {BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)};
}

std::vector<BYTE> Sz(const std::string& text) {
  std::vector<BYTE> out(text.begin(), text.end());
  out.push_back(0);
  return out;
}

bool KeyExists(HKEY root, const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

class Win32Saves : public ::testing::Test {
 protected:
  Win32Saves() : seams(&registry, &processes, &files) {
    states = StartStates();
    // Service start modes belong to the machine running the tests; leave them.
    states.checked["chkEST"] = false;
  }
  ~Win32Saves() override { SharedRegistry().CloseKey(); }

  std::string Script() { return files.ProgramFolder() + "SpeedUp.reg"; }

  Win32Registry registry;
  Win32Processes processes;
  Win32Files files;
  ScopedSeams seams;
  MapControlStates states;
};

TEST_F(Win32Saves, Page2SaveImportsTheScriptWithTheRegistryEditor) {
  DeleteRegKey(RegistryRoot::CurrentUser, "Software\\DownloadManager");
  TRegistry reg;
  reg.OpenKey(kMouse, true);
  reg.DeleteValue("SmoothMouseXCurve");
  reg.CloseKey();
  EnsureKey(RegistryRoot::LocalMachine, kRemoteNameSpace);

  Save1Click(states);

  DWORD type = 0;
  const std::vector<BYTE> curve = Read(HKEY_CURRENT_USER, kMouse, "SmoothMouseXCurve", &type);
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  ASSERT_EQ(curve.size(), 40u);
  EXPECT_EQ(curve[9], 0xa0);
  EXPECT_EQ(curve[34], 0x05);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kRemoteNameSpace));
  EXPECT_EQ(GetFileAttributesA(Script().c_str()), INVALID_FILE_ATTRIBUTES);
  // The key written with a trailing backslash is the key itself.
  EXPECT_EQ(Read(HKEY_LOCAL_MACHINE,
                 "System\\CurrentControlSet\\Control\\Class\\{36FC9E60-C465-11CF-8056-444553540000}"
                 "\\0000",
                 "IdleEnable"),
            Dword(1));
  EXPECT_EQ(Read(HKEY_CURRENT_USER, "Software\\DownloadManager", "MaxConnectionsNumber"),
            Dword(16));
  EXPECT_EQ(Read(HKEY_CURRENT_USER, kShell, "BagMRU Size"), Dword(3500));
  EXPECT_EQ(Read(HKEY_CLASSES_ROOT, "cplfile\\DefaultIcon", ""), Sz("%1"));
  EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows",
                 "NoPopUpsOnBoot, Error Mode"),
            Dword(2));
}

TEST_F(Win32Saves, Page1SaveWritesTheGermanEventNameAndClearsTheIconCache) {
  const std::string cache = IconCachePath(GetNetUserName());
  ASSERT_FALSE(cache.empty()) << "no logon name";
  CreateDirectoryA(cache.substr(0, cache.find("\\AppData")).c_str(), nullptr);
  CreateDirectoryA(cache.substr(0, cache.find("\\Local")).c_str(), nullptr);
  CreateDirectoryA(cache.substr(0, cache.find("\\IconCache")).c_str(), nullptr);
  files.WriteLines(cache, {"cache"});
  ASSERT_NE(GetFileAttributesA(cache.c_str()), INVALID_FILE_ATTRIBUTES);

  Save2Click(states);

  EXPECT_EQ(GetFileAttributesA(cache.c_str()), INVALID_FILE_ATTRIBUTES);
  HKEY conf = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER,
                          L"AppEvents\\Schemes\\Apps\\Conf\\Gespr\u00e4chsannahme\\.Current", 0,
                          KEY_READ, &conf),
            ERROR_SUCCESS);
  RegCloseKey(conf);
  EXPECT_EQ(
      Read(HKEY_USERS, ".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
           "NoFolderOptions"),
      Dword(0));
  EXPECT_EQ(Read(HKEY_CURRENT_USER,
                 "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                 "HideDesktopIcons\\ClassicStartMenu",
                 "{871C5380-42A0-1069-A2EA-08002B30309D}"),
            Dword(1));
}

TEST_F(Win32Saves, Page3SaveAndGreenBoost) {
  Save3Click(states);
  EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
                 "LogonType"),
            Dword(1));
  const std::string interfaces =
      "SYSTEM\\CurrentControlSet\\services\\Tcpip\\Parameters\\Interfaces\\"
      "{C39824E9-6297-4BC0-9801-87272F29D52D}";
  EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, interfaces, "TcpNoDelay"), Dword(1));

  WriteDwordUser(kShell, "BagMRU Size", 1);
  TRegistry reg;
  reg.OpenKey(kMouse, true);
  reg.DeleteValue("SmoothMouseYCurve");
  reg.CloseKey();
  Button5Click(states);
  EXPECT_EQ(Read(HKEY_CURRENT_USER, kShell, "BagMRU Size"), Dword(8000));
  EXPECT_EQ(Read(HKEY_CURRENT_USER, kMouse, "SmoothMouseYCurve").size(), 40u);
  EXPECT_EQ(GetFileAttributesA(Script().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Win32Saves, ScriptThatCannotBeCreatedNamesItsPath) {
  ASSERT_TRUE(CreateDirectoryA(Script().c_str(), nullptr));
  try {
    Button5Click(states);
    ADD_FAILURE() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"" + Script() + "\"", 0), 0u)
        << e.what();
  }
  RemoveDirectoryA(Script().c_str());
}

}  // namespace
}  // namespace velotune
