// velotune.exe under Wine, driven from outside: real check boxes, radio
// buttons, edits and the track bar are set, the real save, 1-Click and GREEN
// Boost buttons pressed, and the prefix's registry read back.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <winnetwk.h>

#include <set>
#include <string>
#include <vector>

#include "program_driver.h"
#include "support/donate_choice.h"
#include "support/system_registry.h"
#include "tweaks_e2e/registry_probe.h"

namespace velotune {
namespace {

const std::string kPE = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::string kCPD = "Control Panel\\Desktop";
const std::string kShell = "Software\\Microsoft\\Windows\\Shell";
const std::string kShellNoRoam = "Software\\Microsoft\\Windows\\ShellNoRoam";
const std::string kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const std::string kMachineExplorer = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const std::string kDownloadManager = "Software\\DownloadManager";
const std::string kMouse = "Control Panel\\Mouse";
const std::string kRemoteNameSpace =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer\\NameSpace\\"
    "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}";
const std::string kFirstInterface =
    "SYSTEM\\CurrentControlSet\\services\\Tcpip\\Parameters\\Interfaces\\"
    "{08C4FB28-7EBB-4BFA-A99D-E217768BDEA3}";
const char kMyComputer[] = "{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
const std::vector<std::uint8_t> kXCurve = {
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xa0, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x40, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x02, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00};
const std::vector<std::uint8_t> kYCurve = {
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x66, 0xa6, 0x02, 0x00, 0x00, 0x00,
    0x00, 0x00, 0xcd, 0x4c, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0xa0, 0x99, 0x0a, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x38, 0x33, 0x15, 0x00, 0x00, 0x00, 0x00, 0x00};
const char* const kGreenBoxes[] = {"Clear Icon Cache (Win 7)", "Clean Folder Settings",
                                   "Speed Up My Windows", "Speed Up IDM D/L Speed",
                                   "Decrease Latency"};

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The icon cache of the logon user, made so that the save has one to delete.
std::string MakeIconCache() {
  char user[261] = {};
  DWORD size = 260;
  if (WNetGetUserA(nullptr, user, &size) != NO_ERROR || !*user) return "";
  std::string path = std::string("C:\\Users\\") + user;
  for (const char* folder : {"\\AppData", "\\Local"}) {
    path += folder;
    CreateDirectoryA(path.c_str(), nullptr);
  }
  path += "\\IconCache.DB";
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "";
  CloseHandle(file);
  return path;
}

// Leftovers of earlier runs would hide what a save did or did not write.
void PrepareRegistry() {
  SetDword(HKEY_CURRENT_USER, kPE, "DisablePersonalDirChange", 1);
  DeleteTree(HKEY_CURRENT_USER, kDownloadManager);
  DeleteTree(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\Alerter");
  DeleteValue(HKEY_CURRENT_USER, kMouse, "SmoothMouseXCurve");
  DeleteValue(HKEY_CURRENT_USER, kMouse, "SmoothMouseYCurve");
  DeleteValue(HKEY_LOCAL_MACHINE,
              "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\policies\\Explorer", "Start");
  CreateKey(HKEY_LOCAL_MACHINE, kRemoteNameSpace);
  CreateKey(HKEY_CURRENT_USER, kShellNoRoam + "\\BagMRU\\0");
  DeleteFileA((ProgramFolder() + "SpeedUp.reg").c_str());
  RemoveDirectoryA((ProgramFolder() + "SpeedUp.reg").c_str());
}

// No Donate dialog at start; the prefix's own choice comes back at the end.
::testing::Environment* const kDonateChoice =
    ::testing::AddGlobalTestEnvironment(new DonateChoiceForAllTests);

class TweaksEndToEnd : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    PrepareRegistry();
    wow6432Node_ = Wow6432NodeContents();
    app_ = new ProgramDriver;
    started_ = app_->StartToMainWindow(60000) != nullptr;
    if (!started_) {
      startError_ = "velotune.exe showed no main window within a minute";
      return;
    }
    const std::string box = app_->TakeErrorBox();
    if (!box.empty()) {
      started_ = false;
      startError_ = "velotune.exe showed a message at start: " + box;
    }
    started_ = started_ && app_->WaitIdle(30000);
    // A page's controls have windows, to be found and worked, once the page
    // has been shown.
    if (started_) app_->ShowEveryPage();
  }
  static void TearDownTestSuite() {
    delete app_;
    app_ = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(started_) << startError_; }

  HWND Find(const std::string& caption) {
    HWND window = ProgramDriver::FindOne(app_->Main(), "", caption);
    EXPECT_NE(window, nullptr) << "no single control \"" << caption << "\"";
    return window;
  }
  void Tick(const std::string& caption, bool checked) {
    HWND box = Find(caption);
    if (!box) return;
    EXPECT_TRUE(app_->ShowPageOf(box)) << caption;
    app_->SetChecked(box, checked);
    EXPECT_EQ(ProgramDriver::Checked(box), checked) << caption;
  }
  void Select(const std::string& caption) {
    HWND radio = Find(caption);
    if (!radio) return;
    EXPECT_TRUE(app_->ShowPageOf(radio)) << caption;
    app_->Click(radio);
    EXPECT_TRUE(ProgramDriver::Checked(radio)) << caption;
  }
  // Presses "&Save Changes" on the page that holds the marker control.
  std::string Save(const std::string& marker) {
    HWND anchor = Find(marker);
    HWND save =
        ProgramDriver::Nearest(ProgramDriver::Find(app_->Main(), "", "&Save Changes"), anchor);
    if (!save) {
      ADD_FAILURE() << "no save button beside \"" << marker << "\"";
      return "";
    }
    EXPECT_TRUE(app_->ShowPageOf(save));
    return app_->PressAndTakeErrorBox(save);
  }
  std::string Press(const std::string& caption) {
    HWND button = Find(caption);
    return button ? app_->PressAndTakeErrorBox(button) : "";
  }
  // The timeout edit holding this text, on the page of "Auto End Tasks".
  HWND TimeoutEdit(const std::string& text) {
    HWND edit = ProgramDriver::Nearest(ProgramDriver::Find(app_->Main(), "Edit", text),
                                       Find("Auto End Tasks"));
    EXPECT_NE(edit, nullptr) << "no edit holding " << text;
    return edit;
  }

  // The logon type and the thumbnail cache size that the whole-window saves
  // below expect (0 and 0), set here so those tests also run on their own.
  void SelectClassicLogonAndNoThumbnailCache() {
    Select("Classic Mode");
    HWND bar = ProgramDriver::FindOne(app_->Main(), TRACKBAR_CLASSA);
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(app_->ShowPageOf(bar));
    app_->Key(bar, VK_HOME);
  }

  static std::string Value(HKEY root, const std::string& key, const std::string& name) {
    return ReadValue(root, key, name).Show();
  }

  static ProgramDriver* app_;
  static bool started_;
  static std::string startError_;
  static std::set<std::string> wow6432Node_;
};

ProgramDriver* TweaksEndToEnd::app_ = nullptr;
bool TweaksEndToEnd::started_ = false;
std::string TweaksEndToEnd::startError_;
std::set<std::string> TweaksEndToEnd::wow6432Node_;

// The tests run in this order on one running program; each builds on the
// control states the one before left.

TEST_F(TweaksEndToEnd, Page1SaveWritesTheControlStates) {
  Tick("Disable Low Disk Space Message", true);
  Tick("Show \"My Computer\"", false);
  HWND hung = TimeoutEdit("1");
  if (hung) app_->SetEditText(hung, "5000");
  const std::string iconCache = MakeIconCache();
  ASSERT_FALSE(iconCache.empty()) << "no logon name or profile folder";
  EXPECT_EQ(Save("Mouse Tweaks (Default Cursor)"), "");

  EXPECT_FALSE(FileExists(iconCache)) << iconCache;

  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kPE, "NoLowDiskSpaceChecks"), DwordText(1));
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kPE, "NoLowDiskSpaceChecks"), DwordText(1));
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kCPD, "HungAppTimeOut"), StringText("5000"));
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kCPD, "WaitToKillAppTimeOut"), StringText("1000"));
  EXPECT_EQ(
      Value(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control", "WaitToKillServiceTimeout"),
      StringText("1000"));
  for (const char* start : {"NewStartPanel", "ClassicStartMenu"}) {
    const std::string key =
        std::string("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\") +
        start;
    EXPECT_EQ(Value(HKEY_CURRENT_USER, key, kMyComputer), DwordText(1)) << start;
    EXPECT_EQ(Value(HKEY_CURRENT_USER, key, "{450D8FBA-AD25-11D0-98A8-0800361B1103}"), DwordText(0))
        << start;
  }
  EXPECT_EQ(Value(HKEY_CURRENT_USER, "Control Panel\\Cursors", "Scheme Source"), DwordText(0));
  EXPECT_EQ(Value(HKEY_CURRENT_USER, "Control Panel\\Cursors", "Arrow"), StringText(""));
  EXPECT_EQ(Value(HKEY_CURRENT_USER, "AppEvents\\Schemes", ""), StringText(".None"));
  EXPECT_EQ(
      Value(HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps\\VNCviewer\\VNCviewerBell\\.Current", ""),
      StringText(""));
  // The German event name lands as "Gesprächsannahme".
  HKEY conf = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER,
                          L"AppEvents\\Schemes\\Apps\\Conf\\Gespr\u00e4chsannahme\\.Current", 0,
                          KEY_READ, &conf),
            ERROR_SUCCESS);
  if (conf) RegCloseKey(conf);
  EXPECT_EQ(
      Value(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
            "StartMenuAdminTools"),
      StringText("0"));
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kPE, "DisablePersonalDirChange"), "missing");
  EXPECT_EQ(Value(HKEY_USERS, ".DEFAULT\\" + kPE, "NoFolderOptions"), DwordText(0));

  // Unticked, only the user's value goes back to 0.
  Tick("Disable Low Disk Space Message", false);
  EXPECT_EQ(Save("Mouse Tweaks (Default Cursor)"), "");
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kPE, "NoLowDiskSpaceChecks"), DwordText(1));
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kPE, "NoLowDiskSpaceChecks"), DwordText(0));
}

TEST_F(TweaksEndToEnd, Page1SaveRefusesATimeoutThatIsNoNumber) {
  HWND hung = TimeoutEdit("5000");
  ASSERT_NE(hung, nullptr);
  app_->SetEditText(hung, "abc");
  SetString(HKEY_CURRENT_USER, kCPD, "AutoEndTasks", "x");
  EXPECT_EQ(Save("Mouse Tweaks (Default Cursor)"), "'abc' is not a valid integer value.");
  // The save's plan meets the error first: no row is written, not even the
  // ones before it.
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kCPD, "AutoEndTasks"), StringText("x"));
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kCPD, "HungAppTimeOut"), StringText("5000"));
  app_->SetEditText(hung, "5000");
}

TEST_F(TweaksEndToEnd, Page3SaveWritesTheControlStates) {
  Select(
      "Show Network drive letters before the label, and show local drive letters after the label");
  Select("Classic Mode");
  Tick("Enable Service Tweaks", false);
  SetDword(HKEY_LOCAL_MACHINE, kFirstInterface, "TcpNoDelay", 0);
  EXPECT_EQ(Save("Decrease Latency"), "");

  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer",
                  "ShowDriveLettersFirst"),
            DwordText(1));
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kWinlogon, "LogonType"), DwordText(0));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\Alerter"));
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kFirstInterface, "TcpNoDelay"), DwordText(1));
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kFirstInterface, "TcpAckFrequency"), DwordText(1));
  EXPECT_EQ(Value(HKEY_CURRENT_USER, "Software\\Microsoft\\Security Center", "FirewallOverride"),
            DwordText(1));
}

TEST_F(TweaksEndToEnd, Page2SaveImportsTheScriptAndWritesTheControlStates) {
  HWND bar = ProgramDriver::FindOne(app_->Main(), TRACKBAR_CLASSA);
  ASSERT_NE(bar, nullptr);
  ASSERT_TRUE(app_->ShowPageOf(bar));
  app_->Key(bar, VK_HOME);
  EXPECT_EQ(SendMessageA(bar, TBM_GETPOS, 0, 0), 0);
  EXPECT_EQ(Save("Speed Up My Windows"), "");

  EXPECT_EQ(Value(HKEY_CURRENT_USER, kShell, "BagMRU Size"), DwordText(0));
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kShellNoRoam, "BagMRU Size"), DwordText(0));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kShellNoRoam + "\\BagMRU"));
  // What the registry editor imported from SpeedUp.reg, and the file gone.
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kMouse, "SmoothMouseXCurve"), HexText(REG_BINARY, kXCurve));
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kMouse, "SmoothMouseYCurve"), HexText(REG_BINARY, kYCurve));
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE,
                  "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\policies\\Explorer", "Start"),
            HexText(REG_BINARY, {4, 0, 0, 0}));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kRemoteNameSpace));
  EXPECT_FALSE(FileExists(ProgramFolder() + "SpeedUp.reg"));
  // Rows after the script.
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kDownloadManager, "ConnectionType"), DwordText(11));
  EXPECT_EQ(Value(HKEY_CLASSES_ROOT, ".ex", ""), StringText("exefile"));
  EXPECT_EQ(Value(HKEY_CLASSES_ROOT, "Directory\\Shell\\CmdShortcut\\Command", ""),
            StringText("C:\\WINDOWS\\system32\\cmd.exe /k cd \"%1\""));
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer",
                  "Max Cached Icons"),
            StringText("4096"));
  EXPECT_EQ(Value(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer",
                  "ThumbnailQuality"),
            DwordText(80));
}

TEST_F(TweaksEndToEnd, UncreatableScriptStopsThePage2Save) {
  const std::string script = ProgramFolder() + "SpeedUp.reg";
  ASSERT_TRUE(CreateDirectoryA(script.c_str(), nullptr));
  SetDword(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
           "DisableRegistryTools", 5);
  DeleteTree(HKEY_CURRENT_USER, kDownloadManager);
  const std::string box = Save("Speed Up My Windows");
  RemoveDirectoryA(script.c_str());
  EXPECT_EQ(box.rfind("Cannot create file \"" + script + "\"", 0), 0u) << box;
  EXPECT_EQ(
      Value(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
            "DisableRegistryTools"),
      DwordText(0));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kDownloadManager));
}

TEST_F(TweaksEndToEnd, GreenBoostAppliesOnlyTheTickedGreenTweaks) {
  SetString(HKEY_CURRENT_USER, kCPD, "AutoEndTasks", "x");
  SetDword(HKEY_CURRENT_USER, kShell, "BagMRU Size", 1);
  DeleteValue(HKEY_CURRENT_USER, kMouse, "SmoothMouseYCurve");
  DeleteValue(HKEY_LOCAL_MACHINE, kFirstInterface, "TcpNoDelay");
  DeleteValue(HKEY_LOCAL_MACHINE, kMachineExplorer, "AlwaysUnloadDll");
  EXPECT_EQ(Press("GREEN Boost"), "");
  // Imported by the speed-up script where 64-bit Windows reads it, as its own
  // registry tool shows.
  EXPECT_EQ(SystemRegQuery("HKLM\\" + kMachineExplorer, "AlwaysUnloadDll"), "REG_SZ 1");
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kCPD, "AutoEndTasks"), StringText("x"));
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kShell, "BagMRU Size"), DwordText(8000));
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kShellNoRoam, "BagMRU Size"), DwordText(8000));
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kDownloadManager, "ConnectionType"), DwordText(11));
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kMouse, "SmoothMouseYCurve"), HexText(REG_BINARY, kYCurve));
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kFirstInterface, "TcpNoDelay"), DwordText(1));
  EXPECT_FALSE(FileExists(ProgramFolder() + "SpeedUp.reg"));

  // With every green box unticked it leaves everything alone.
  for (const char* box : kGreenBoxes) Tick(box, false);
  SetDword(HKEY_CURRENT_USER, kShell, "BagMRU Size", 5);
  DeleteValue(HKEY_LOCAL_MACHINE, kFirstInterface, "TcpNoDelay");
  DeleteTree(HKEY_CURRENT_USER, kDownloadManager);
  EXPECT_EQ(Press("GREEN Boost"), "");
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kShell, "BagMRU Size"), DwordText(5));
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kFirstInterface, "TcpNoDelay"), "missing");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kDownloadManager));
  for (const char* box : kGreenBoxes) Tick(box, true);
}

TEST_F(TweaksEndToEnd, OneClickSavesAllThreePages) {
  SelectClassicLogonAndNoThumbnailCache();
  Tick("No Tray Items Display", true);
  Tick("Hide ALL System Tray icons", false);
  SetString(HKEY_CURRENT_USER, kCPD, "AutoEndTasks", "x");
  SetDword(HKEY_CURRENT_USER, kShell, "BagMRU Size", 1);
  SetDword(HKEY_LOCAL_MACHINE, kWinlogon, "LogonType", 7);
  DeleteValue(HKEY_CURRENT_USER, kMouse, "SmoothMouseXCurve");
  DeleteValue(HKEY_LOCAL_MACHINE, kMachineExplorer, "AlwaysUnloadDll");
  EXPECT_EQ(Press("1-Click Tweak"), "");
  // Where 64-bit Windows reads them, as its own registry tool shows.
  EXPECT_EQ(SystemRegQuery("HKLM\\" + kWinlogon, "LogonType"), "REG_DWORD 0x0");
  EXPECT_EQ(SystemRegQuery("HKLM\\" + kMachineExplorer, "AlwaysUnloadDll"), "REG_SZ 1");
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kCPD, "AutoEndTasks"), StringText("1"));  // page 1
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kWinlogon, "LogonType"), DwordText(0));  // page 3
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kShell, "BagMRU Size"), DwordText(0));    // page 2
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kMouse, "SmoothMouseXCurve"), HexText(REG_BINARY, kXCurve));
  // Page 1 writes the tray value to both hives, page 2 to the user's after it.
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kPE, "NoTrayItemsDisplay"), DwordText(1));
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kPE, "NoTrayItemsDisplay"), DwordText(0));
  EXPECT_FALSE(FileExists(ProgramFolder() + "SpeedUp.reg"));
  Tick("No Tray Items Display", false);
}

TEST_F(TweaksEndToEnd, TitleDoubleClickSavesAllThreePages) {
  SelectClassicLogonAndNoThumbnailCache();
  SetString(HKEY_CURRENT_USER, kCPD, "AutoEndTasks", "x");
  SetDword(HKEY_CURRENT_USER, kShell, "BagMRU Size", 1);
  SetDword(HKEY_LOCAL_MACHINE, kWinlogon, "LogonType", 7);
  // The title label "Velotune" stands at 56, 11 (177 x 13) in the banner.
  EXPECT_EQ(app_->DoubleClickAndTakeErrorBox(80, 17), "");
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kCPD, "AutoEndTasks"), StringText("1"));
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kWinlogon, "LogonType"), DwordText(0));
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kShell, "BagMRU Size"), DwordText(0));
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kPE, "NoTrayItemsDisplay"), DwordText(0));
}

// Under WOW64 the 32-bit view is where a 32-bit program's writes would go
// astray; nothing the tests above did may have reached it.
TEST_F(TweaksEndToEnd, NothingLandedInTheWow6432Node) {
  EXPECT_EQ(UnderWow64(), StartedForWin64());
  std::vector<std::string> added = NewEntries(wow6432Node_, Wow6432NodeContents());
  if (added.size() > 20) added.resize(20);
  for (const std::string& entry : added) ADD_FAILURE() << "new in Wow6432Node: " << entry;
}

}  // namespace
}  // namespace velotune
