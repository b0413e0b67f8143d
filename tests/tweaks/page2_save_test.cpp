// Saving "Tweaks [&2]", with the registry editor importing SpeedUp.reg.
#include <algorithm>

#include "tweaks/page_actions.h"
#include "tweaks/tweak_fixture.h"

namespace velotune {
namespace {

const std::string kPE = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::string kEA = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
const std::string kShell = "Software\\Microsoft\\Windows\\Shell";
const std::string kShellNoRoam = "Software\\Microsoft\\Windows\\ShellNoRoam";
const std::string kMachineExplorer = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const std::string kMachinePolicies =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\policies\\Explorer";
const std::string kPrefetch =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\PrefetchParameters";
const std::string kScript = "C:\\Program Files\\Velotune\\SpeedUp.reg";
const std::string kRegedit = "Regedit.exe /s \"C:\\Program Files\\Velotune\\SpeedUp.reg\"";

Log Both(const std::string& key, const std::string& name, std::uint32_t value) {
  return {Dw("HKLM", key, name, value), Dw("HKCU", key, name, value)};
}

// The registry editor's work on the ToReg script.
Log ScriptImport() {
  return {
      "HKLM\\" + kMachinePolicies + " [Start] = hex(3):04,00,00,00",
      Dw("HKLM", kPrefetch, "EnablePrefetcher", 0),
      Sz("HKLM", kMachineExplorer, "AlwaysUnloadDll", "1"),
      Sz("HKCU", "Control Panel\\Desktop", "MenuShowDelay", "0"),
      "HKCU\\Control Panel\\Mouse [SmoothMouseXCurve] = hex(3):"
      "00,00,00,00,00,00,00,00,00,a0,00,00,00,00,00,00,00,40,"
      "01,00,00,00,00,00,00,80,02,00,00,00,00,00,00,00,05,00,00,00,00,00",
      "HKCU\\Control Panel\\Mouse [SmoothMouseYCurve] = hex(3):"
      "00,00,00,00,00,00,00,00,66,a6,02,00,00,00,00,00,cd,4c,"
      "05,00,00,00,00,00,a0,99,0a,00,00,00,00,00,38,33,15,00,00,00,00,00",
      "delete-key HKLM\\" + kMachineExplorer +
          "\\RemoteComputer\\NameSpace\\{D6277990-4C6A-11CF-8D87-00AA0060F5BF}",
  };
}

Log StartStateSave() {
  Log ops = {
      Dw("HKCU", "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
         "DisableRegistryTools", 0),
      "write-file " + kScript,
      "run " + kRegedit,
  };
  Append(ops, ScriptImport());
  Append(ops,
         {
             "delete-file " + kScript,
             Dw("HKCU", "Software\\DownloadManager", "ConnectionType", 11),
             Dw("HKCU", "Software\\DownloadManager", "ConnectionSpeed", 10000000),
             Dw("HKCU", "Software\\DownloadManager", "MaxConnectionsNumber", 16),
             "delete-key HKCU\\" + kShellNoRoam + "\\BagMRU\\0",
             "delete-key HKCU\\" + kShellNoRoam + "\\BagMRU",
             "delete-key HKCU\\" + kShellNoRoam + "\\Bags\\1",
             "delete-key HKCU\\" + kShellNoRoam + "\\Bags",
             Dw("HKCU", kShell, "BagMRU Size", 8000),
             Dw("HKCU", kShellNoRoam, "BagMRU Size", 8000),
             Del("HKCU", kPE, "DisableCurrentUserRun"),
             Del("HKCU", kPE, "DisableCurrentUserRunOnce"),
             Del("HKCU", kPE, "DisableLocalMachineRun"),
             Del("HKCU", kPE, "DisableLocalMachineRunOnce"),
             Del("HKCU", kPE, "NoRecycleFiles"),
             Dw("HKLM", "Software\\Microsoft\\PCHealth\\ErrorReporting", "DoReport", 0),
             Dw("HKLM", "Software\\Microsoft\\PCHealth\\ErrorReporting", "ShowUI", 0),
             Dw("HKCU", "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Band\\Address",
                "Use PATH", 1),
             Dw("HKCU", kShell, "BagMRU Size", 3500),
             Dw("HKCU", kShellNoRoam, "BagMRU Size", 3500),
             Dw("HKLM", "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows",
                "NoPopUpsOnBoot, Error Mode", 2),
             Sz("HKCU", "Control Panel\\Desktop", "CoolSwitch", "1"),
             Sz("HKCU", "Control Panel\\Desktop", "CoolSwitchRows", "5"),
             Sz("HKCU", "Control Panel\\Desktop", "CoolSwitchColumns", "10"),
             Dw("HKCU", kEA, "ShowSuperHidden", 1),
             Dw("HKCU", kEA, "Hidden", 1),
         });
  Append(ops, Both(kPE, "NoAddPrinter", 0));
  Append(ops, Both(kPE, "NoDeletePrinter", 0));
  Append(ops, Both(kEA, "TaskbarGlomming", 1));
  ops.push_back(Sz("HKLM", "SYSTEM\\CurrentControlSet\\Control\\WOW", "DefaultSeparateVDM", "yes"));
  Append(ops, Both(kPE, "NoSharedDocuments", 1));
  Append(
      ops,
      {
          Dw("HKCU", kPE, "NoToolbarCustomize", 0),
          Dw("HKLM", "System\\CurrentControlSet\\Control\\FileSystem",
             "NtfsDisableLastAccessUpdate", 1),
          Dw("HKCU", kPE, "NoSaveSettings", 0),
          Dw("HKCU", kPE, "NoFileMenu", 0),
          Dw("HKCU", kPE, "NoHardwareTab", 0),
          Sz("HKCU", "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Hearts", "ZB", "57"),
          Dw("HKCU", kPE, "NoTrayItemsDisplay", 0),
          Dw("HKCU", "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
             "DisableTaskMgr", 0),
          Dw("HKCU", kPE, "NoTaskGrouping", 0),
          Dw("HKCU", kEA, "TaskbarGroupSize", 5),
          Sz("HKLM", kMachineExplorer, "AlwaysUnloadDll", "1"),
          Dw("HKLM", kPrefetch, "EnablePrefetcher", 0),
          Sz("HKLM", "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
             "EnableQuickReboot", "1"),
          Dw("HKLM", "Software\\Policies\\Microsoft\\Messenger\\Client", "PreventRun", 0),
          Dw("HKLM", "SYSTEM\\CurrentControlSet\\Services\\Cdrom", "AutoRun", 1),
          Dw("HKLM", kMachinePolicies, "NoWinKeys", 0),
          Dw("HKLM", "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management",
             "ClearPageFileAtShutdown", 0),
          Dw("HKLM", kMachinePolicies, "NoControlPanel", 0),
          Sz("HKLM", "SOFTWARE\\Microsoft\\Dfrg\\BootOptimizeFunction", "Enable", "Y"),
          Sz("HKLM", "SOFTWARE\\Microsoft\\Dfrg\\BootOptimizeFunction", "OptimizeComplete", "yes"),
          Dw("HKCU", kPE, "MemCheckBoxInRunDlg", 1),
          Sz("HKCU", "Control Panel\\Desktop", "MenuShowDelay", "0"),
          Dw("HKCU", kPE, "NoCDBurning", 0),
          Dw("HKLM", "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "ReportBootOk",
             0),
          Dw("HKLM",
             "System\\CurrentControlSet\\Control\\Class\\{36FC9E60-C465-11CF-8056-"
             "444553540000}\\0000",
             "IdleEnable", 1),
          Sz("HKLM", kMachineExplorer, "Max Cached Icons", "4096"),
          Sz("HKCR", "Directory\\Shell\\CmdShortcut", "", "Run DOS Box from this folder"),
          Sz("HKCR", "Directory\\Shell\\CmdShortcut\\Command", "",
             "C:\\WINDOWS\\system32\\cmd.exe /k cd \"%1\""),
          Dw("HKCU", kPE, "NoViewContextMenu", 0),
          Dw("HKCU", kPE, "NoTrayContextMenu", 0),
          Sz("HKCR", ".ex", "", "exefile"),
          Sz("HKCR", ".dll", "", "dllfile"),
          Sz("HKCR", ".cpl", "", "cplfile"),
          Sz("HKCR", "dllfile\\DefaultIcon", "", "%1"),
          Sz("HKCR", "cplfile\\DefaultIcon", "", "%1"),
          Dw("HKCU", "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", "ThumbnailSize", 80),
          Dw("HKCU", "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", "ThumbnailQuality",
             80),
      });
  return ops;
}

bool Contains(const Log& log, const std::string& entry) {
  return std::find(log.begin(), log.end(), entry) != log.end();
}

using Page2Save = TweakTest;

TEST_F(Page2Save, StartStatesWriteTheWholeCatalogueInOrder) {
  Save1Click(states);
  EXPECT_EQ(log, StartStateSave());
  ASSERT_EQ(processes.calls.size(), 1u);
  EXPECT_EQ(processes.calls[0].application, "");
  EXPECT_TRUE(processes.calls[0].wait);
  // The script is gone and the track bar's value is what stays.
  EXPECT_TRUE(files.files.empty());
  EXPECT_EQ(Find(RegistryRoot::CurrentUser, kShellNoRoam, "BagMRU Size")->data,
            (std::vector<std::uint8_t>{0xAC, 0x0D, 0, 0}));
}

TEST_F(Page2Save, ValueControlsAreWrittenFromTheirPositions) {
  struct Case {
    int tb;
    int su;
    int mci;
  };
  for (const Case& c : {Case{0, 3, 8192}, Case{8000, 1, 512}}) {
    states.position["TB"] = c.tb;
    states.itemIndex["SU"] = c.su;
    states.position["MCI"] = c.mci;
    log.clear();
    Save1Click(states);
    EXPECT_TRUE(Contains(log, Dw("HKCU", kShell, "BagMRU Size", c.tb)));
    EXPECT_TRUE(Contains(log, Dw("HKCU", kShellNoRoam, "BagMRU Size", c.tb)));
    EXPECT_TRUE(Contains(log, Dw("HKLM", kPrefetch, "EnablePrefetcher", c.su)));
    EXPECT_TRUE(
        Contains(log, Sz("HKLM", kMachineExplorer, "Max Cached Icons", std::to_string(c.mci))));
  }
}

TEST_F(Page2Save, UntickedBoxesWriteTheirOtherValuesOrDelete) {
  for (auto& box : states.checked) box.second = !box.second;
  Save1Click(states);
  // No script, no download manager, no folder clean-up.
  EXPECT_TRUE(processes.calls.empty());
  for (const std::string& entry : log) {
    EXPECT_EQ(entry.find("DownloadManager"), std::string::npos) << entry;
    EXPECT_EQ(entry.find("delete-key"), std::string::npos) << entry;
  }
  for (const std::string& entry : {
           Dw("HKCU", kPE, "DisableCurrentUserRun", 1),
           Dw("HKCU", kPE, "DisableLocalMachineRunOnce", 1),
           Dw("HKCU", kPE, "NoRecycleFiles", 1),
           Dw("HKCU", kEA, "Hidden", 2),
           Dw("HKLM", kPE, "NoAddPrinter", 1),
           Dw("HKCU", kEA, "TaskbarGlomming", 0),
           Sz("HKLM", "SOFTWARE\\Microsoft\\Dfrg\\BootOptimizeFunction", "OptimizeComplete", "No"),
           Sz("HKCU", "Control Panel\\Desktop", "MenuShowDelay", "200"),
           Dw("HKCU", kPE, "NoTrayContextMenu", 1),
           Sz("HKCR", ".ex", "", ""),
           Sz("HKCR", "dllfile\\DefaultIcon", "", "Shell32.dll,66"),
           Sz("HKCR", "cplfile\\DefaultIcon", "", "Shell32.dll,66"),
           Sz("HKCR", ".dll", "", "dllfile"),
       }) {
    EXPECT_TRUE(Contains(log, entry)) << entry;
  }
  // Unticked, the boxes that restrict in both hives clear only HKCU.
  EXPECT_FALSE(Contains(log, Dw("HKLM", kEA, "TaskbarGlomming", 0)));
  EXPECT_TRUE(memory.KeyExists(RegistryRoot::ClassesRoot, ".ex"));
}

TEST_F(Page2Save, MissingValuesToDeleteAreQuiet) {
  Save1Click(states);
  states.checked["EM"] = false;
  states.checked["DSRB"] = false;
  log.clear();
  EXPECT_NO_THROW(Save1Click(states));
  EXPECT_FALSE(Contains(log, Del("HKCU", kPE, "NoRecycleFiles")));
}

TEST_F(Page2Save, ScriptPathWithBlanksStaysInsideTheQuotes) {
  files.folder = "D:\\My Tools\\Velo tune\\";
  Save1Click(states);
  ASSERT_EQ(processes.calls.size(), 1u);
  EXPECT_EQ(processes.calls[0].commandLine,
            "Regedit.exe /s \"D:\\My Tools\\Velo tune\\SpeedUp.reg\"");
}

TEST_F(Page2Save, TheScriptIsImportedByTheRegistryEditorOfTheSystem) {
  processes.systemToolMark = "native:";
  Save1Click(states);
  ASSERT_EQ(processes.calls.size(), 1u);
  EXPECT_EQ(processes.calls[0].commandLine, "native:" + kRegedit);
}

TEST_F(Page2Save, UnwritableScriptStopsBeforeTheRegistryEditor) {
  files.refuseCreate = true;
  try {
    Save1Click(states);
    FAIL() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"" + kScript + "\"", 0), 0u)
        << e.what();
  }
  EXPECT_TRUE(processes.calls.empty());
  EXPECT_EQ(log.back(), Dw("HKCU", "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
                           "DisableRegistryTools", 0));
}

TEST_F(Page2Save, RegistryEditorThatCannotStartLeavesTheScript) {
  processes.failCode = 2;
  EXPECT_THROW(Save1Click(states), EOSError);
  EXPECT_EQ(files.files.count(kScript), 1u);
  EXPECT_EQ(log.back(), "write-file " + kScript);
}

TEST_F(Page2Save, RefusedMachineHiveFailsBeforeAnyRow) {
  memory.Deny(RegistryRoot::LocalMachine);
  EXPECT_THROW(Save1Click(states), ERegistryException);
  EXPECT_TRUE(log.empty());
}

TEST_F(Page2Save, RefusedClassesRootStopsAtTheCommandVerb) {
  memory.Deny(RegistryRoot::ClassesRoot);
  try {
    Save1Click(states);
    FAIL() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Failed to create key Directory");
  }
  EXPECT_EQ(log.back(), Sz("HKLM", kMachineExplorer, "Max Cached Icons", "4096"));
}

TEST_F(Page2Save, ASecondSaveGivesTheSameRegistry) {
  Save1Click(states);
  const std::string first = Export();
  Save1Click(states);
  EXPECT_EQ(Export(), first);
}

}  // namespace
}  // namespace velotune
