// Tweaks page 1: Start menu and taskbar, desktop, Display control panel pages
// and shut-down time-outs.
#include <string>
#include <vector>

#include "tweaks/key_paths.h"
#include "tweaks/page_catalogues.h"
#include "tweaks/registry.h"
#include "tweaks/shared_steps.h"

namespace velotune {

namespace {

using keys::kControlPanelDesktop;
using keys::kExplorerAdvanced;
using keys::kPoliciesExplorer;
using keys::kPoliciesSystem;

constexpr char kCursors[] = "Control Panel\\Cursors";
// The empty name is the key's default value.
constexpr const char* kCursorValues[] = {"",          "Arrow",    "AppStarting", "Wait",
                                         "Crosshair", "No",       "SizeNS",      "SizeWE",
                                         "SizeNWSE",  "SizeNESW", "SizeAll"};

struct SoundGroup {
  const char* group;
  std::vector<const char*> events;
};

const std::vector<SoundGroup>& SoundGroups() {
  static const std::vector<SoundGroup> groups = {
      {".Default", {".Default",
                    "AppGPFault",
                    "CCSelect",
                    "Close",
                    "CriticalBatteryAlarm",
                    "DeviceConnect",
                    "DeviceDisconnect",
                    "DeviceFail",
                    "InternetAlert",
                    "LowBatteryAlarm",
                    "MailBeep",
                    "Maximize",
                    "MenuCommand",
                    "MenuPopup",
                    "Minimize",
                    "Open",
                    "PrintComplete",
                    "RestoreDown",
                    "RestoreUp",
                    "ShowBand",
                    "SystemAsterisk",
                    "SystemExclamation",
                    "SystemExit",
                    "SystemHand",
                    "SystemNotification",
                    "SystemQuestion",
                    "SystemStart",
                    "WindowsLogoff",
                    "WindowsLogon"}},
      // The German event name is stored in Windows-1252: 0xE4 is the a umlaut.
      {"Conf",
       {"Gespr\xC3\xA4"
        "chsannahme",
        "Konferenzteilnehmeranfrage", "Person Joins", "Person Leaves", "Receive Call",
        "Receive Request to Join"}},
      {"Explorer",
       {"ActivatingDocument", "BlockedPopup", "EmptyRecycleBin", "FeedDiscovered", "MoveMenuItem",
        "Navigating", "SearchProviderDiscovered", "SecurityBand"}},
      {"Snarfer", {"SnarferNewMessage"}},
      {"translateclient", {"Navigating"}},
      {"VNCviewer", {"VNCviewerBell"}},
  };
  return groups;
}

// Display control panel pages: "show" boxes, so checked clears the policy.
struct DisplayPage {
  const char* control;
  unsigned policyIndex;
};
constexpr DisplayPage kDisplayPages[] = {
    {"DPPage", 6}, {"ScrPage", 7}, {"AppPage", 4}, {"SettPage", 8}, {"BackPage", 5}};

// Desktop icons: checked shows the icon (0), unchecked hides it (1).
struct DesktopIcon {
  const char* control;
  const char* clsid;
};
constexpr DesktopIcon kDesktopIcons[] = {
    {"MC", "{20D04FE0-3AEA-1069-A2D8-08002B30309D}"},
    {"MD", "{450D8FBA-AD25-11D0-98A8-0800361B1103}"},
    {"MN", "{208D2C60-3AEA-1069-A2D7-08002B30309D}"},
    {"RB", "{645FF040-5081-101B-9F08-00AA002F954E}"},
    {"IE", "{871C5380-42A0-1069-A2EA-08002B30309D}"},
};

constexpr char kHideIconsNewStartPanel[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\NewStartPanel";
constexpr char kHideIconsClassicStartMenu[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\ClassicStartMenu";

// The default profile's Explorer policies, under HKEY_USERS. Folder Options
// are refused by a value in this key itself, as in the other two hives.
constexpr char kDefaultProfilePoliciesExplorer[] =
    ".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

Row DefaultCursors() {
  std::vector<Target> targets = {{kCursors, "Scheme Source", Dword(Op::kDwordUser, 0), Nothing()}};
  for (const char* value : kCursorValues) {
    targets.push_back({kCursors, value, Str(Op::kStringUser, ""), Nothing()});
  }
  return Check("chkMT", std::move(targets));
}

Row SilentSounds() {
  std::vector<Target> targets = {
      {"AppEvents\\Schemes", "", Str(Op::kStringUser, ".None"), Nothing()}};
  for (const SoundGroup& group : SoundGroups()) {
    for (const char* event : group.events) {
      const std::string key =
          std::string("AppEvents\\Schemes\\Apps\\") + group.group + "\\" + event + "\\.Current";
      targets.push_back({key, "", Str(Op::kStringUser, ""), Nothing()});
    }
  }
  return Check("chkST", std::move(targets));
}

// A "show" box for a Start-menu restriction written to both hives.
Row ShowBoth(const char* control, const char* name) {
  return Check(control, kPoliciesExplorer, name, Dword(Op::kDwordBoth, 0),
               Dword(Op::kDwordBoth, 1));
}

// A "disable" box written to both hives.
Row DisableBoth(const char* control, const char* name) {
  return Check(control, kPoliciesExplorer, name, Dword(Op::kDwordBoth, 1),
               Dword(Op::kDwordBoth, 0));
}

// Rows using the shared accessor directly: CRegKey made these keys, so they
// are opened without creating, after moving the root back from HKLM.
void WriteAdminTools(const ControlStates& states) {
  TRegistry& shared = SharedRegistry();
  shared.SetRootKey(RegistryRoot::CurrentUser);
  shared.OpenKey(kExplorerAdvanced, false);
  shared.WriteString("StartMenuAdminTools", states.Checked("Admin") ? "-1" : "0");
  shared.CloseKey();
}

void WriteDesktopIcons(const char* key, const ControlStates& states) {
  TRegistry& shared = SharedRegistry();
  shared.SetRootKey(RegistryRoot::CurrentUser);
  shared.OpenKey(key, false);
  for (const DesktopIcon& icon : kDesktopIcons) {
    shared.WriteInteger(icon.clsid, states.Checked(icon.control) ? 0 : 1);
  }
  shared.CloseKey();
}

std::vector<Row> BuildRows() {
  std::vector<Row> rows;
  rows.push_back(Custom("", [](const ControlStates&) { RenewSharedRegistryAndKeys(); }));
  rows.push_back(DefaultCursors());
  rows.push_back(Custom("chkIC", ClearIconCache));
  rows.push_back(SilentSounds());
  rows.push_back(Check("AET", kControlPanelDesktop, "AutoEndTasks", Str(Op::kStringUser, "1"),
                       Str(Op::kStringUser, "0")));
  rows.push_back(Value("Manually", Read::kNumericText, Op::kStringUser, kControlPanelDesktop,
                       "HungAppTimeOut"));
  rows.push_back(Value("OnExit", Read::kNumericText, Op::kStringUser, kControlPanelDesktop,
                       "WaitToKillAppTimeOut"));
  rows.push_back(Value("Service", Read::kNumericText, Op::kStringMachine,
                       "SYSTEM\\CurrentControlSet\\Control", "WaitToKillServiceTimeout"));
  rows.push_back(Check("DS", kPoliciesExplorer, "NoLowDiskSpaceChecks", Dword(Op::kDwordBoth, 1),
                       Dword(Op::kDwordUser, 0)));
  rows.push_back(Check("Baloon", kExplorerAdvanced, "EnableBalloonTips", Dword(Op::kDwordUser, 1),
                       Dword(Op::kDwordUser, 0)));
  rows.push_back(ShowBoth("Prog", "NoStartMenuMorePrograms"));
  rows.push_back(ShowBoth("Taskbar", "NoSetTaskbar"));
  rows.push_back(DisableBoth("NoTool", "NoToolbarsOnTaskbar"));
  rows.push_back(DisableBoth("NoTray", "NoTrayItemsDisplay"));
  rows.push_back(DisableBoth("LockTask", "LockTaskbar"));
  rows.push_back(ShowBoth("CST", "NoChangeStartMenu"));
  rows.push_back(ShowBoth("Fav", "NoFavoritesMenu"));
  rows.push_back(ShowBoth("SB", "NoStartBanner"));
  rows.push_back(ShowBoth("SetFolder", "NoSetFolders"));
  rows.push_back(Check(
      "Run",
      {{kPoliciesExplorer, "NoRun", Dword(Op::kDwordBoth, 0), Dword(Op::kDwordBoth, 1)},
       {kExplorerAdvanced, "StartMenuRun", Dword(Op::kDwordUser, 1), Dword(Op::kDwordUser, 0)}}));
  rows.push_back(ShowBoth("Help", "NoSMHelp"));
  rows.push_back(ShowBoth("Doc", "NoRecentDocsMenu"));
  rows.push_back(DisableBoth("DocNoR", "NoRecentDocsHistory"));
  rows.push_back(DisableBoth("DocClearR", "ClearRecentDocsOnExit"));
  rows.push_back(ShowBoth("SD", "NoClose"));
  rows.push_back(Custom("Admin", WriteAdminTools));
  rows.push_back(Check(
      "LOff", {{kPoliciesExplorer, "NoLogOff", Dword(Op::kDwordBoth, 0), Dword(Op::kDwordBoth, 1)},
               {kPoliciesExplorer, "StartMenuLogoff", Dword(Op::kDwordBoth, 0),
                Dword(Op::kDwordBoth, 1)}}));
  rows.push_back(ShowBoth("FindMenu", "NoFind"));
  // FO stands on page 2 but this save applies it.
  rows.push_back(Check("FO", {{kDefaultProfilePoliciesExplorer, "NoFolderOptions",
                               Dword(Op::kDwordUsers, 1), Dword(Op::kDwordUsers, 0)},
                              {kPoliciesExplorer, "NoFolderOptions", Dword(Op::kDwordUser, 1),
                               Dword(Op::kDwordUser, 0)},
                              {kPoliciesExplorer, "NoFolderOptions", Dword(Op::kDwordMachine, 1),
                               Dword(Op::kDwordMachine, 0)}}));
  rows.push_back(ShowBoth("SubFolder", "NoStartMenuSubFolders"));
  for (const DisplayPage& page : kDisplayPages) {
    rows.push_back(Check(
        page.control, {{"", "", Dword(Op::kPolicy, 0), Dword(Op::kPolicy, 1), page.policyIndex}}));
  }
  rows.push_back(Check("ThemePage", kPoliciesExplorer, "NoThemesTab", Dword(Op::kDwordUser, 0),
                       Dword(Op::kDwordUser, 1)));
  rows.push_back(Check("NCC", kPoliciesSystem, "NoColorChoice", Dword(Op::kDwordUser, 1),
                       Dword(Op::kDwordUser, 0)));
  rows.push_back(Check("NSC", kPoliciesSystem, "NoSizeChoice", Dword(Op::kDwordUser, 1),
                       Dword(Op::kDwordUser, 0)));
  rows.push_back(Check("NVSC", kPoliciesSystem, "NoVisualStyleChoice", Dword(Op::kDwordUser, 1),
                       Dword(Op::kDwordUser, 0)));
  rows.push_back(
      Check("CW", "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\CleanupWiz",
            "NoRun", Dword(Op::kDwordUser, 1), Dword(Op::kDwordUser, 0)));
  rows.push_back(Check("DeskPro", "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer",
                       "DesktopProcess", Dword(Op::kDwordUser, 1), Dword(Op::kDwordUser, 0)));
  rows.push_back(Check("DD", kPoliciesExplorer, "NoDesktop", Dword(Op::kDwordUser, 1),
                       Dword(Op::kDwordUser, 0)));
  rows.push_back(Check("PDV", kControlPanelDesktop, "PaintDesktopVersion",
                       Str(Op::kStringUser, "1"), Str(Op::kStringUser, "0")));
  rows.push_back(Check("MDL", kPoliciesExplorer, "DisablePersonalDirChange",
                       Dword(Op::kDwordUser, 1), Delete(Op::kDeleteUser)));
  rows.push_back(Check("DSS", ".default\\Control Panel\\Desktop", "ScreenSaveActive",
                       Str(Op::kStringUsers, "0"), Str(Op::kStringUsers, "1")));
  rows.push_back(DisableBoth("MCP", "NoPropertiesMyComputer"));
  rows.push_back(Custom("MC", [](const ControlStates& states) {
    WriteDesktopIcons(kHideIconsNewStartPanel, states);
  }));
  rows.push_back(Custom("MC", [](const ControlStates& states) {
    WriteDesktopIcons(kHideIconsClassicStartMenu, states);
  }));
  return rows;
}

}  // namespace

const std::vector<Row>& Page1Rows() {
  static const std::vector<Row> rows = BuildRows();
  return rows;
}

void RenewSharedRegistryAndKeys() {
  CRegKey(RenewSharedRegistry());
}

}  // namespace velotune
