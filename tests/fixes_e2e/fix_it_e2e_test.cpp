// Drives the real program under Wine: ticks a few boxes on the FIX page,
// presses "FIX IT!" and waits for the started repairs to change the registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "program_driver.h"
#include "support/donate_choice.h"
#include "support/system_registry.h"

namespace {

constexpr char kPolicySystem[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr char kAdvanced[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr char kSnapIns[] =
    "SOFTWARE\\Microsoft\\MMC\\NodeTypes\\{476e6449-aaff-11d0-b944-00c04fd8d5b0}\\Extensions\\"
    "NameSpace";
constexpr char kDeviceManager[] = "{74246bfc-4c96-11d0-abef-0020af6b0b7a}";

void SetString(HKEY root, const char* key, const char* name, const std::string& text) {
  HKEY k;
  ASSERT_EQ(RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS | velotune::SystemView(),
                            nullptr, &k, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(text.size() + 1));
  RegCloseKey(k);
}

void SetDword(HKEY root, const char* key, const char* name, DWORD value) {
  HKEY k;
  ASSERT_EQ(RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS | velotune::SystemView(),
                            nullptr, &k, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(k, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(k);
}

// The value as text ("0x.." for DWORDs), or "<missing>".
std::string Read(HKEY root, const char* key, const char* name) {
  HKEY k;
  if (RegOpenKeyExA(root, key, 0, KEY_READ | velotune::SystemView(), &k) != ERROR_SUCCESS)
    return "<missing>";
  char data[512] = {};
  DWORD type = 0, size = sizeof data - 1;
  LONG rc = RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(k);
  if (rc != ERROR_SUCCESS) return "<missing>";
  if (type == REG_DWORD) {
    char text[16];
    wsprintfA(text, "0x%x", *reinterpret_cast<DWORD*>(data));
    return text;
  }
  return data;
}

struct Expectation {
  HKEY root;
  const char* key;
  const char* name;
  std::string value;
};

// Waits until every value holds what it should; the repairs run as separate
// processes that the program does not wait for.
std::vector<std::string> WaitFor(const std::vector<Expectation>& all, int seconds) {
  std::vector<std::string> wrong;
  for (int tries = 0; tries < seconds * 10; ++tries) {
    wrong.clear();
    for (const Expectation& e : all) {
      std::string got = Read(e.root, e.key, e.name);
      if (got != e.value)
        wrong.push_back(std::string(e.key) + " [" + e.name + "] = " + got + ", expected " +
                        e.value);
    }
    if (wrong.empty()) break;
    Sleep(100);
  }
  return wrong;
}

class FixItEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program_.Start()) << "cannot start " << velotune::ProgramDriver::ProgramPath();
    main_ = program_.WaitForWindow("Velotune", "TTweakFrm", 30000);
    ASSERT_NE(main_, nullptr) << "the main window did not appear";
    // The FIX page's controls have windows once the page has been shown.
    velotune::ProgramDriver::ClickSidebar(main_, true);
  }

  HWND Control(const std::string& caption) {
    return velotune::ProgramDriver::FindOne(main_, "Button", caption);
  }

  // Presses a button or toggles a box as a click would, and waits for it.
  void Click(const std::string& caption) {
    HWND control = Control(caption);
    ASSERT_NE(control, nullptr) << "no control \"" << caption << "\"";
    SendMessageA(control, BM_CLICK, 0, 0);
  }

  bool Ticked(const std::string& caption) {
    HWND control = Control(caption);
    return control && SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  // No Donate dialog at start; the prefix's own choice comes back afterwards.
  velotune::DonateChoice noDonateDialog_;
  velotune::ProgramDriver program_;
  HWND main_ = nullptr;
};

TEST_F(FixItEndToEnd, TickedRepairsChangeTheRegistry) {
  // A damaged system.
  SetDword(HKEY_CURRENT_USER, kPolicySystem, "DisableRegistryTools", 1);
  SetDword(HKEY_CURRENT_USER, kPolicySystem, "DisableTaskMgr", 1);
  SetDword(HKEY_CURRENT_USER, "Software\\Policies\\Microsoft\\Windows\\System", "DisableCMD", 2);
  SetString(HKEY_CURRENT_USER, "Control Panel\\Desktop", "MenuShowDelay", "4000");
  SetString(HKEY_CURRENT_USER, "Control Panel\\Mouse", "DoubleClickSpeed", "10");
  SetString(HKEY_CLASSES_ROOT, ".txt", "", "brokenfile");
  SetDword(HKEY_CURRENT_USER, kAdvanced, "WebView", 7);  // chkFO stays unticked
  SetString(HKEY_LOCAL_MACHINE, kSnapIns, kDeviceManager, "removed");
  const std::set<std::string> wow6432Node = velotune::Wow6432NodeContents();

  Click("Uncheck ALL");
  const char* const boxes[] = {
      "Double Click is not working.",
      "Slow Menu Delay",
      "Fix Disabled Task Manager.",
      "Fix \".TXT\" File Association.",
      "Restore Device Manager Snap-In to Computer Management Console.",
  };
  for (const char* box : boxes) {
    Click(box);
    EXPECT_TRUE(Ticked(box)) << box;
  }
  EXPECT_FALSE(Ticked("Fix Folder Options"));
  EXPECT_TRUE(Ticked("Fix Disabled Command Prompt."));
  Click("FIX IT!");

  std::vector<std::string> wrong = WaitFor(
      {
          {HKEY_CURRENT_USER, kPolicySystem, "DisableRegistryTools", "0x0"},
          {HKEY_CURRENT_USER, kPolicySystem, "DisableTaskMgr", "0x0"},
          {HKEY_CURRENT_USER, "Software\\Policies\\Microsoft\\Windows\\System", "DisableCMD",
           "0x0"},
          {HKEY_CURRENT_USER, "Control Panel\\Desktop", "MenuShowDelay", "400"},
          {HKEY_CURRENT_USER, "Control Panel\\Mouse", "DoubleClickSpeed", "500"},
          {HKEY_CLASSES_ROOT, ".txt", "", "txtfile"},
          {HKEY_LOCAL_MACHINE, kSnapIns, kDeviceManager, "Device Manager"},
      },
      30);
  for (const std::string& w : wrong) ADD_FAILURE() << w;
  // Where 64-bit Windows reads it, as its own registry tool shows, and nothing
  // in the 32-bit view instead.
  EXPECT_EQ(velotune::SystemRegQuery(std::string("HKLM\\") + kSnapIns, kDeviceManager),
            "REG_SZ Device Manager");
  EXPECT_EQ(velotune::UnderWow64(), velotune::StartedForWin64());
  for (const std::string& entry :
       velotune::NewEntries(wow6432Node, velotune::Wow6432NodeContents()))
    ADD_FAILURE() << "new in Wow6432Node: " << entry;
  EXPECT_EQ(Read(HKEY_CURRENT_USER, kAdvanced, "WebView"), "0x7");
  // The run leaves the ticks as they were.
  EXPECT_TRUE(Ticked("Slow Menu Delay"));
}

TEST_F(FixItEndToEnd, CheckAllThenUncheckAllKeepsTheTwoLockedBoxes) {
  Click("Check ALL");
  EXPECT_TRUE(Ticked("Fix Folder Options"));
  EXPECT_TRUE(Ticked("Fix \".URL\" File Association."));
  EXPECT_TRUE(Ticked("Flush DNS Cache"));
  Click("Uncheck ALL");
  EXPECT_FALSE(Ticked("Fix Folder Options"));
  EXPECT_FALSE(Ticked("Flush DNS Cache"));
  EXPECT_TRUE(Ticked("Fix Disabled Command Prompt."));
  EXPECT_TRUE(Ticked("Fix Disabled Registry Editor."));
  EXPECT_FALSE(IsWindowEnabled(Control("Fix Disabled Command Prompt.")));
  EXPECT_FALSE(IsWindowEnabled(Control("Fix Disabled Registry Editor.")));
}

// Wine has no power configuration tool, so that repair cannot start: the run
// says so instead of looking successful.
TEST_F(FixItEndToEnd, ARepairThatCannotStartIsReported) {
  SetString(HKEY_CURRENT_USER, "Control Panel\\Desktop", "MenuShowDelay", "4000");
  Click("Uncheck ALL");
  Click("Restore Default Power Schemes. <<WIN7>>");
  Click("Slow Menu Delay");
  // Posted, because the handler ends in a modal error box.
  velotune::ProgramDriver::Press(Control("FIX IT!"));
  HWND box = program_.WaitForWindow("Velotune", "#32770", 20000);
  ASSERT_NE(box, nullptr) << "no error box";
  const std::string texts = velotune::ProgramDriver::MessageBoxText(box);
  EXPECT_NE(texts.find("Some repairs could not be started:"), std::string::npos) << texts;
  EXPECT_NE(texts.find("Cannot run powercfg -restoredefaultschemes"), std::string::npos) << texts;
  EXPECT_EQ(texts.find("Default_MenuShowDelay"), std::string::npos) << texts;
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  // The other repairs ran all the same.
  EXPECT_TRUE(
      WaitFor({{HKEY_CURRENT_USER, "Control Panel\\Desktop", "MenuShowDelay", "400"}}, 30).empty());
}

// A copy of the program in a folder without FIXER: FIX IT! with every box
// ticked names the missing folder in one line, and its box fits the screen.
TEST(FixItWithoutFixer, NamesTheMissingFolderOnceInABoxThatFits) {
  velotune::DonateChoice noDonateDialog;
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "velotune without fixer\\";
  const std::string exe = folder + "velotune.exe";
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(velotune::ProgramDriver::ProgramPath().c_str(), exe.c_str(), FALSE));
  {
    velotune::ProgramDriver program;
    ASSERT_TRUE(program.Start(exe));
    HWND main = program.WaitForWindow("Velotune", "TTweakFrm", 30000);
    ASSERT_NE(main, nullptr);
    velotune::ProgramDriver::ClickSidebar(main, true);
    SendMessageA(velotune::ProgramDriver::FindOne(main, "Button", "Check ALL"), BM_CLICK, 0, 0);
    velotune::ProgramDriver::Press(velotune::ProgramDriver::FindOne(main, "Button", "FIX IT!"));
    HWND box = program.WaitForWindow("Velotune", "#32770", 20000);
    ASSERT_NE(box, nullptr) << "no error box";
    const std::string text = velotune::ProgramDriver::MessageBoxText(box);
    // The run's plan finds the folder missing, so nothing is started or
    // changed and the box says why.
    const std::string head =
        "Some repairs could not be started:\r\nMissing folder " + folder + "FIXER";
    EXPECT_EQ(text.compare(0, head.size(), head), 0) << text;
    EXPECT_EQ(text.find("Missing ", head.size()), std::string::npos) << text;
    RECT r;
    GetWindowRect(box, &r);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  }
  DeleteFileA(exe.c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
