// The real registry backend and the registry tools in both prefixes: in the
// 64-bit one the program runs under WOW64, and what it writes, and what the
// tools it starts import, must land where 64-bit Windows reads it.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/seams.h"
#include "platform/win32_registry.h"
#include "platform/win32_system.h"
#include "platform/wow64.h"
#include "support/system_registry.h"
#include "tweaks/registry.h"

namespace velotune {
namespace {

constexpr char kKey[] = "Software\\VelotuneSystemView";
constexpr char kClass[] = "CLSID\\{5EA5E5E5-0000-4000-8000-000000000064}";

bool KeyIn(HKEY root, const char* path, REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

class SystemRegistry : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  void Clean() {
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
      RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kKey, view, 0);
      RegDeleteKeyExA(HKEY_CLASSES_ROOT, kClass, view, 0);
    }
  }
  Win32Registry registry;
  Win32Processes processes;
  Win32Files files;
  ScopedSeams seams{&registry, &processes, &files};
};

TEST_F(SystemRegistry, TheTestKnowsWhichSystemItRunsOn) {
  EXPECT_EQ(StartedForWin64(), RunningUnderWow64());
  EXPECT_EQ(StartedForWin64(), UnderWow64());
}

TEST_F(SystemRegistry, KeysAreWrittenReadAndDeletedInTheSystemsOwnView) {
  WriteDwordMachine(kKey, "View", 64);
  EnsureKey(RegistryRoot::ClassesRoot, kClass);
  EXPECT_EQ(SystemRegQuery(std::string("HKLM\\") + kKey, "View"), "REG_DWORD 0x40");
  EXPECT_TRUE(KeyIn(HKEY_CLASSES_ROOT, kClass, SystemView()));
  if (UnderWow64()) {
    EXPECT_FALSE(KeyIn(HKEY_LOCAL_MACHINE, kKey, KEY_WOW64_32KEY));
    EXPECT_FALSE(KeyIn(HKEY_CLASSES_ROOT, kClass, KEY_WOW64_32KEY));
    // A key of the same name in the 32-bit view is another key: the program
    // neither reads nor deletes it.
    HKEY other = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0,
                              KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &other, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(other, "Text", 0, REG_SZ, reinterpret_cast<const BYTE*>("32"), 3);
    RegCloseKey(other);
    TRegistry reg;
    reg.SetRootKey(RegistryRoot::LocalMachine);
    ASSERT_TRUE(reg.OpenKey(kKey, false));
    EXPECT_FALSE(reg.ValueExists("Text"));
  }
  DeleteRegKey(RegistryRoot::LocalMachine, kKey);
  DeleteRegKey(RegistryRoot::ClassesRoot, kClass);
  EXPECT_FALSE(KeyIn(HKEY_LOCAL_MACHINE, kKey, SystemView()));
  EXPECT_FALSE(KeyIn(HKEY_CLASSES_ROOT, kClass, SystemView()));
  EXPECT_EQ(KeyIn(HKEY_LOCAL_MACHINE, kKey, KEY_WOW64_32KEY), UnderWow64());
}

// The two ways registry work is started: the registry editor on a script,
// waited for, as the speed-up script is; the command interpreter on a batch
// file, not waited for, as the FIX page's batch repairs are.
TEST_F(SystemRegistry, TheRegistryToolsWorkOnTheSystemsOwnRegistry) {
  const std::string key = std::string("HKEY_LOCAL_MACHINE\\") + kKey;
  const std::string script = files.ProgramFolder() + "system view test.reg";
  const std::string batch = files.ProgramFolder() + "system view test.bat";
  files.WriteLines(script, {"REGEDIT4", "", "[" + key + "]", "\"Imported\"=\"yes\"", ""});
  files.WriteLines(batch, {"@reg add \"" + key + "\" /v Batch /d yes /f >nul"});

  const std::string importLine = "Regedit.exe /s \"" + script + "\"";
  const std::string batchLine = "cmd.exe /c \"" + batch + "\"";
  if (UnderWow64()) {
    const std::string windows = SystemWindowsFolder();
    EXPECT_EQ(processes.ForSystemTools(importLine),
              windows + "\\regedit.exe /s \"" + script + "\"");
    EXPECT_EQ(processes.ForSystemTools(batchLine),
              windows + "\\Sysnative\\cmd.exe /c \"" + batch + "\"");
  } else {
    EXPECT_EQ(processes.ForSystemTools(importLine), importLine);
    EXPECT_EQ(processes.ForSystemTools(batchLine), batchLine);
  }
  RunProcess("", processes.ForSystemTools(importLine), true);
  EXPECT_GT(processes.WinExec(processes.ForSystemTools(batchLine), kSwHide), 31u);
  std::string batchValue;
  for (int tries = 0; tries < 300 && batchValue != "REG_SZ yes"; ++tries) {
    if (tries) Sleep(100);
    batchValue = SystemRegQuery(key, "Batch");
  }
  files.Delete(script);
  files.Delete(batch);

  EXPECT_EQ(SystemRegQuery(key, "Imported"), "REG_SZ yes");
  EXPECT_EQ(batchValue, "REG_SZ yes");
  if (UnderWow64()) {
    EXPECT_FALSE(KeyIn(HKEY_LOCAL_MACHINE, kKey, KEY_WOW64_32KEY));
  }
}

}  // namespace
}  // namespace velotune
