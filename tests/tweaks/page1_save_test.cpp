// Saving "Tweaks [&1]".
#include <algorithm>

#include "tweaks/catalogue.h"
#include "tweaks/page_actions.h"
#include "tweaks/tweak_fixture.h"

namespace velotune {
namespace {

const std::string kPE = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::string kPS = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
const std::string kEA = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
const std::string kCPD = "Control Panel\\Desktop";
const std::string kCursors = "Control Panel\\Cursors";
const std::string kNewStartPanel =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\NewStartPanel";
const std::string kClassicStartMenu =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\ClassicStartMenu";
const char kMyComputer[] = "{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

Log Both(const std::string& name, std::uint32_t value) {
  return {Dw("HKLM", kPE, name, value), Dw("HKCU", kPE, name, value)};
}

Log SoundEventKeys() {
  const std::vector<std::pair<std::string, std::vector<std::string>>> groups = {
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
  Log keys;
  for (const auto& group : groups) {
    for (const std::string& event : group.second) {
      keys.push_back("AppEvents\\Schemes\\Apps\\" + group.first + "\\" + event + "\\.Current");
    }
  }
  return keys;
}

// Everything a save with the start states does, in order.
Log StartStateSave() {
  Log ops = {Dw("HKCU", kCursors, "Scheme Source", 0)};
  for (const char* cursor : {"", "Arrow", "AppStarting", "Wait", "Crosshair", "No", "SizeNS",
                             "SizeWE", "SizeNWSE", "SizeNESW", "SizeAll"}) {
    ops.push_back(Sz("HKCU", kCursors, cursor, ""));
  }
  ops.push_back("delete-file C:\\Users\\Tester\\AppData\\Local\\IconCache.DB");
  ops.push_back(Sz("HKCU", "AppEvents\\Schemes", "", ".None"));
  for (const std::string& key : SoundEventKeys()) ops.push_back(Sz("HKCU", key, "", ""));
  Append(ops,
         {
             Sz("HKCU", kCPD, "AutoEndTasks", "1"),
             Sz("HKCU", kCPD, "HungAppTimeOut", "1"),
             Sz("HKCU", kCPD, "WaitToKillAppTimeOut", "1000"),
             Sz("HKLM", "SYSTEM\\CurrentControlSet\\Control", "WaitToKillServiceTimeout", "1000"),
             Dw("HKCU", kPE, "NoLowDiskSpaceChecks", 0),
             Dw("HKCU", kEA, "EnableBalloonTips", 1),
         });
  Append(ops, Both("NoStartMenuMorePrograms", 0));
  Append(ops, Both("NoSetTaskbar", 0));
  Append(ops, Both("NoToolbarsOnTaskbar", 0));
  Append(ops, Both("NoTrayItemsDisplay", 0));
  Append(ops, Both("LockTaskbar", 0));
  Append(ops, Both("NoChangeStartMenu", 0));
  Append(ops, Both("NoFavoritesMenu", 0));
  Append(ops, Both("NoStartBanner", 0));
  Append(ops, Both("NoSetFolders", 0));
  Append(ops, Both("NoRun", 0));
  ops.push_back(Dw("HKCU", kEA, "StartMenuRun", 1));
  Append(ops, Both("NoSMHelp", 0));
  Append(ops, Both("NoRecentDocsMenu", 0));
  Append(ops, Both("NoRecentDocsHistory", 1));
  Append(ops, Both("ClearRecentDocsOnExit", 1));
  Append(ops, Both("NoClose", 0));
  ops.push_back(Sz("HKCU", kEA, "StartMenuAdminTools", "0"));
  Append(ops, Both("NoLogOff", 0));
  Append(ops, Both("StartMenuLogoff", 0));
  Append(ops, Both("NoFind", 0));
  Append(ops, {
                  Dw("HKU", ".DEFAULT\\" + kPE, "NoFolderOptions", 0),
                  Dw("HKCU", kPE, "NoFolderOptions", 0),
                  Dw("HKLM", kPE, "NoFolderOptions", 0),
              });
  Append(ops, Both("NoStartMenuSubFolders", 0));
  Append(
      ops,
      {
          Dw("HKCU", kPS, "NoDispCPL", 0),
          Dw("HKCU", kPS, "NoDispScrSavPage", 0),
          Dw("HKCU", kPS, "NoDispAppearancePage", 0),
          Dw("HKCU", kPS, "NoDispSettingsPage", 0),
          Dw("HKCU", kPS, "NoDispBackgroundPage", 0),
          Dw("HKCU", kPE, "NoThemesTab", 0),
          Dw("HKCU", kPS, "NoColorChoice", 0),
          Dw("HKCU", kPS, "NoSizeChoice", 0),
          Dw("HKCU", kPS, "NoVisualStyleChoice", 0),
          Dw("HKCU", "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\CleanupWiz",
             "NoRun", 1),
          Dw("HKCU", "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", "DesktopProcess", 1),
          Dw("HKCU", kPE, "NoDesktop", 0),
          Sz("HKCU", kCPD, "PaintDesktopVersion", "1"),
          Del("HKCU", kPE, "DisablePersonalDirChange"),
          Sz("HKU", ".default\\Control Panel\\Desktop", "ScreenSaveActive", "1"),
      });
  Append(ops, Both("NoPropertiesMyComputer", 0));
  for (const std::string& key : {kNewStartPanel, kClassicStartMenu}) {
    Append(ops, {
                    Dw("HKCU", key, kMyComputer, 0),
                    Dw("HKCU", key, "{450D8FBA-AD25-11D0-98A8-0800361B1103}", 0),
                    Dw("HKCU", key, "{208D2C60-3AEA-1069-A2D7-08002B30309D}", 1),
                    Dw("HKCU", key, "{645FF040-5081-101B-9F08-00AA002F954E}", 0),
                    Dw("HKCU", key, "{871C5380-42A0-1069-A2EA-08002B30309D}", 1),
                });
  }
  return ops;
}

using Page1Save = TweakTest;

TEST_F(Page1Save, StartStatesWriteTheWholeCatalogueInOrder) {
  Save2Click(states);
  EXPECT_EQ(log, StartStateSave());
  EXPECT_EQ(SoundEventKeys().size(), 46u);
  // The save needs nothing of the registry editor.
  EXPECT_TRUE(processes.calls.empty());
}

TEST_F(Page1Save, UntickedCursorAndSoundBoxesLeaveTheirValuesAlone) {
  states.checked["chkMT"] = false;
  states.checked["chkST"] = false;
  Save2Click(states);
  for (const std::string& entry : log) {
    EXPECT_EQ(entry.find("Cursors"), std::string::npos) << entry;
    EXPECT_EQ(entry.find("AppEvents"), std::string::npos) << entry;
  }
}

TEST_F(Page1Save, OppositeStatesWriteTheOppositeValues) {
  for (auto& box : states.checked) box.second = !box.second;
  Save2Click(states);
  const auto has = [this](const std::string& entry) {
    return std::find(log.begin(), log.end(), entry) != log.end();
  };
  // A "show" box unticked restricts in both hives; a "disable" box ticked too.
  EXPECT_TRUE(has(Dw("HKLM", kPE, "NoStartMenuMorePrograms", 1)));
  EXPECT_TRUE(has(Dw("HKCU", kPE, "NoStartMenuMorePrograms", 1)));
  EXPECT_TRUE(has(Dw("HKLM", kPE, "NoTrayItemsDisplay", 1)));
  EXPECT_TRUE(has(Dw("HKCU", kPS, "NoDispCPL", 1)));
  EXPECT_TRUE(has(Dw("HKCU", kPE, "NoThemesTab", 1)));
  EXPECT_TRUE(has(Dw("HKCU", kPS, "NoVisualStyleChoice", 1)));
  EXPECT_TRUE(has(Sz("HKCU", kEA, "StartMenuAdminTools", "-1")));
  EXPECT_TRUE(has(Sz("HKCU", kCPD, "AutoEndTasks", "0")));
  EXPECT_TRUE(has(Sz("HKU", ".default\\Control Panel\\Desktop", "ScreenSaveActive", "0")));
  EXPECT_TRUE(has(Dw("HKCU", kPE, "DisablePersonalDirChange", 1)));
  EXPECT_TRUE(has(Dw("HKCU", kEA, "StartMenuRun", 0)));
  // FO of page 2 is applied here, to all three hives.
  EXPECT_TRUE(has(Dw("HKU", ".DEFAULT\\" + kPE, "NoFolderOptions", 1)));
  EXPECT_TRUE(has(Dw("HKLM", kPE, "NoFolderOptions", 1)));
  // Unticking My Computer hides it under both start-menu keys.
  EXPECT_TRUE(has(Dw("HKCU", kNewStartPanel, kMyComputer, 1)));
  EXPECT_TRUE(has(Dw("HKCU", kClassicStartMenu, kMyComputer, 1)));
  // The icon cache stays with its box unticked.
  for (const std::string& entry : log) EXPECT_EQ(entry.rfind("delete-file", 0), std::string::npos);
}

TEST_F(Page1Save, UntickingLowDiskSpaceKeepsTheMachineValue) {
  states.checked["DS"] = true;
  Save2Click(states);
  states.checked["DS"] = false;
  Save2Click(states);
  const auto* machine = Find(RegistryRoot::LocalMachine, kPE, "NoLowDiskSpaceChecks");
  const auto* user = Find(RegistryRoot::CurrentUser, kPE, "NoLowDiskSpaceChecks");
  ASSERT_TRUE(machine && user);
  EXPECT_EQ(machine->data, (std::vector<std::uint8_t>{1, 0, 0, 0}));
  EXPECT_EQ(user->data, (std::vector<std::uint8_t>{0, 0, 0, 0}));
}

TEST_F(Page1Save, MissingPersonalDirValueIsQuietlySkipped) {
  Save2Click(states);  // deletes it
  log.clear();
  ASSERT_NO_THROW(Save2Click(states));
  EXPECT_EQ(std::count(log.begin(), log.end(), Del("HKCU", kPE, "DisablePersonalDirChange")), 0);
}

TEST_F(Page1Save, IconCacheFollowsTheLogonName) {
  struct Case {
    std::string user;
    bool ticked;
    std::string deleted;  // empty: nothing is deleted
  };
  const Case cases[] = {
      {"Anna Maria", true, "C:\\Users\\Anna Maria\\AppData\\Local\\IconCache.DB"},
      {"Anna Maria", false, ""},
      {"", true, ""},
      // Names that would point the delete outside the profile folder.
      {"..", true, ""},
      {"..\\..\\Windows", true, ""},
      {"DOMAIN/x", true, ""},
  };
  for (const Case& c : cases) {
    files.deleted.clear();
    processes.userName = c.user;
    states.checked["chkIC"] = c.ticked;
    Save2Click(states);
    const std::vector<std::string> expected =
        c.deleted.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.deleted};
    EXPECT_EQ(files.deleted, expected) << "user " << c.user;
  }
}

TEST_F(Page1Save, TimeoutEditsAreStoredAsTypedWhenNumeric) {
  states.text["Manually"] = "0025";
  // Leading zeros do not make a number too long.
  states.text["OnExit"] = "000000000002000";
  states.text["Service"] = "2147483647";
  Save2Click(states);
  const auto* hung = Find(RegistryRoot::CurrentUser, kCPD, "HungAppTimeOut");
  ASSERT_TRUE(hung);
  EXPECT_EQ(hung->data, StringData("0025"));
  const auto* kill = Find(RegistryRoot::CurrentUser, kCPD, "WaitToKillAppTimeOut");
  ASSERT_TRUE(kill);
  EXPECT_EQ(kill->data, StringData("000000000002000"));
  EXPECT_TRUE(Find(RegistryRoot::LocalMachine, "SYSTEM\\CurrentControlSet\\Control",
                   "WaitToKillServiceTimeout"));
}

TEST_F(Page1Save, TimeoutEditsThatAreNotNumbersStopTheSave) {
  for (const char* bad : {"", "abc", "12a", "-5", " 10", "2147483648", "99999999999"}) {
    states.text["OnExit"] = bad;
    log.clear();
    try {
      Save2Click(states);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.what(), "'" + std::string(bad) + "' is not a valid integer value");
    }
    // The rows before it stay; nothing after it is written.
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), Sz("HKCU", kCPD, "HungAppTimeOut", "1"));
  }
}

TEST_F(Page1Save, RefusedMachineHiveFailsBeforeAnyRow) {
  memory.Deny(RegistryRoot::LocalMachine);
  try {
    Save2Click(states);
    FAIL() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Failed to create key System");
  }
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(files.deleted.empty());
}

// Rows that open a pre-created key without creating it fail with the name of
// the first value they write there.
TEST_F(Page1Save, UnopenableKeysOfTheSharedAccessorStopTheSave) {
  struct Case {
    std::string refused;
    std::string message;
    std::string lastWrite;
  };
  const Case cases[] = {
      {"HKCU\\" + kEA, "Failed to set data for 'StartMenuAdminTools'",
       Dw("HKCU", kPE, "NoClose", 0)},
      {"HKCU\\" + kClassicStartMenu, "Failed to set data for '" + std::string(kMyComputer) + "'",
       Dw("HKCU", kNewStartPanel, "{871C5380-42A0-1069-A2EA-08002B30309D}", 1)},
  };
  for (const Case& c : cases) {
    registry.refuseOpen = {c.refused};
    log.clear();
    try {
      Save2Click(states);
      ADD_FAILURE() << "no error with " << c.refused;
    } catch (const ERegistryException& e) {
      EXPECT_EQ(e.what(), c.message);
    }
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), c.lastWrite);
  }
}

TEST_F(Page1Save, ASecondSaveGivesTheSameRegistry) {
  Save2Click(states);
  const std::string first = Export();
  Save2Click(states);
  EXPECT_EQ(Export(), first);
}

}  // namespace
}  // namespace velotune
