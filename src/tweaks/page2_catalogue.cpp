// Tweaks page 2: Explorer, shell, start-up, error reporting, prefetch,
// printers, Alt+Tab, thumbnails and file associations.
#include <string>
#include <vector>

#include "tweaks/key_paths.h"
#include "tweaks/page_catalogues.h"
#include "tweaks/registry.h"
#include "tweaks/shared_steps.h"
#include "tweaks/speedup_script.h"

namespace velotune {

namespace {

using keys::kExplorerAdvanced;
using keys::kPoliciesExplorer;

constexpr char kShell[] = "Software\\Microsoft\\Windows\\Shell";
constexpr char kShellNoRoam[] = "Software\\Microsoft\\Windows\\ShellNoRoam";
constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr char kMachineExplorer[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr char kMachinePoliciesExplorer[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\policies\\Explorer";
constexpr char kWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char kMemoryManagement[] =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";

Action UserDword(std::int32_t value) {
  return Dword(Op::kDwordUser, value);
}
Action MachineDword(std::int32_t value) {
  return Dword(Op::kDwordMachine, value);
}
Action BothDword(std::int32_t value) {
  return Dword(Op::kDwordBoth, value);
}
Action MachineString(const char* text) {
  return Str(Op::kStringMachine, text);
}
Action UserString(const char* text) {
  return Str(Op::kStringUser, text);
}

// Start-up boxes: ticked allows the run key, so the policy value goes.
Row StartUp(const char* control, const char* name) {
  return Check(control, kPoliciesExplorer, name, Delete(Op::kDeleteUser), UserDword(1));
}

// Ticked restricts in both hives; unticked clears HKCU only.
Row BothOrUserOff(const char* control, const char* key, const char* name) {
  return Check(control, key, name, BothDword(1), UserDword(0));
}

Row UserFlag(const char* control, const char* key, const char* name) {
  return Check(control, key, name, UserDword(1), UserDword(0));
}

Row MachineFlag(const char* control, const char* key, const char* name) {
  return Check(control, key, name, MachineDword(1), MachineDword(0));
}

// "Open a command window here" on folders.
void CommandWindowVerb(const ControlStates&) {
  TRegistry& shared = SharedRegistry();
  shared.SetRootKey(RegistryRoot::ClassesRoot);
  for (const char* key : {"Directory", "Directory\\Shell", "Directory\\Shell\\CmdShortcut",
                          "Directory\\Shell\\CmdShortcut\\Command"}) {
    shared.CreateKey(key);
  }
  shared.OpenKey("Directory\\Shell\\CmdShortcut", false);
  shared.WriteString("", "Run DOS Box from this folder");
  shared.CloseKey();
  WriteStringClasses("Directory\\Shell\\CmdShortcut\\Command", "",
                     "C:\\WINDOWS\\system32\\cmd.exe /k cd \"%1\"");
}

void RightClickMenus(const ControlStates& states) {
  const std::int32_t value = states.Checked("DRC") ? 1 : 0;
  TRegistry& shared = SharedRegistry();
  shared.SetRootKey(RegistryRoot::CurrentUser);
  shared.OpenKey(kPoliciesExplorer, false);
  shared.WriteInteger("NoViewContextMenu", value);
  shared.WriteInteger("NoTrayContextMenu", value);
  shared.CloseKey();
}

void ExFileAssociation(const ControlStates& states) {
  TRegistry& shared = SharedRegistry();
  shared.SetRootKey(RegistryRoot::ClassesRoot);
  shared.CreateKey(".ex");
  shared.OpenKey(".ex", false);
  shared.WriteString("", states.Checked("XFile") ? "exefile" : "");
  shared.CloseKey();
}

void WriteDefaultValue(TRegistry& shared, const char* key, const char* text) {
  shared.OpenKey(key, false);
  shared.WriteString("", text);
  shared.CloseKey();
}

// Runs whatever the box's state; only the icon strings depend on it.
void LibraryIcons(const ControlStates& states) {
  const char* icon = states.Checked("P1Icon") ? "%1" : "Shell32.dll,66";
  TRegistry& shared = SharedRegistry();
  shared.SetRootKey(RegistryRoot::ClassesRoot);
  for (const char* key :
       {".dll", "dllfile", "dllfile\\DefaultIcon", ".cpl", "cplfile", "cplfile\\DefaultIcon"}) {
    shared.CreateKey(key);
  }
  WriteDefaultValue(shared, ".dll", "dllfile");
  WriteDefaultValue(shared, ".cpl", "cplfile");
  WriteDefaultValue(shared, "dllfile\\DefaultIcon", icon);
  WriteDefaultValue(shared, "cplfile\\DefaultIcon", icon);
}

std::vector<Row> BuildRows() {
  std::vector<Row> rows;
  rows.push_back(Custom("", [](const ControlStates&) { RenewSharedRegistryAndKeys(); }));
  rows.push_back(Check("DRT", {{"", "", Dword(Op::kPolicy, 1), Dword(Op::kPolicy, 0), 0}}));
  rows.push_back(Custom("SUMW", [](const ControlStates& states) {
    if (states.Checked("SUMW")) SpeedUpScript(SplitLines(states.Text("ToReg")));
  }));
  rows.push_back(Custom("chkIDM", [](const ControlStates& states) {
    if (states.Checked("chkIDM")) SpeedUpDownloadManager();
  }));
  rows.push_back(Custom("chkCFS", [](const ControlStates& states) {
    if (states.Checked("chkCFS")) CleanFolderSettings();
  }));
  rows.push_back(StartUp("CUR", "DisableCurrentUserRun"));
  rows.push_back(StartUp("CURO", "DisableCurrentUserRunOnce"));
  rows.push_back(StartUp("LMR", "DisableLocalMachineRun"));
  rows.push_back(StartUp("LMRO", "DisableLocalMachineRunOnce"));
  rows.push_back(
      Check("DSRB", kPoliciesExplorer, "NoRecycleFiles", UserDword(1), Delete(Op::kDeleteUser)));
  rows.push_back(Check("ER", {{"Software\\Microsoft\\PCHealth\\ErrorReporting", "DoReport",
                               MachineDword(0), MachineDword(1)},
                              {"Software\\Microsoft\\PCHealth\\ErrorReporting", "ShowUI",
                               MachineDword(0), MachineDword(1)}}));
  rows.push_back(UserFlag(
      "RRP", "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Band\\Address", "Use PATH"));
  rows.push_back(Row{"TB",
                     Read::kPosition,
                     {{kShell, "BagMRU Size", ControlValue(Op::kDwordUser), Nothing()},
                      {kShellNoRoam, "BagMRU Size", ControlValue(Op::kDwordUser), Nothing()}},
                     nullptr});
  rows.push_back(Check("EM", "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows",
                       "NoPopUpsOnBoot, Error Mode", MachineDword(2), Delete(Op::kDeleteMachine)));
  rows.push_back(Row{"",
                     Read::kAlways,
                     {{"Control Panel\\Desktop", "CoolSwitch", UserString("1"), Nothing()}},
                     nullptr});
  rows.push_back(
      Value("atr", Read::kText, Op::kStringUser, "Control Panel\\Desktop", "CoolSwitchRows"));
  rows.push_back(
      Value("atc", Read::kText, Op::kStringUser, "Control Panel\\Desktop", "CoolSwitchColumns"));
  rows.push_back(
      Check("NoHide", {{kExplorerAdvanced, "ShowSuperHidden", UserDword(1), UserDword(0)},
                       {kExplorerAdvanced, "Hidden", UserDword(1), UserDword(2)}}));
  rows.push_back(Check("AddP", kPoliciesExplorer, "NoAddPrinter", BothDword(0), BothDword(1)));
  rows.push_back(Check("DelP", kPoliciesExplorer, "NoDeletePrinter", BothDword(0), BothDword(1)));
  rows.push_back(BothOrUserOff("TGlom", kExplorerAdvanced, "TaskbarGlomming"));
  rows.push_back(Check("B16", "SYSTEM\\CurrentControlSet\\Control\\WOW", "DefaultSeparateVDM",
                       MachineString("yes"), MachineString("No")));
  rows.push_back(BothOrUserOff("ShD", kPoliciesExplorer, "NoSharedDocuments"));
  rows.push_back(BothOrUserOff("NoCustom", kPoliciesExplorer, "NoToolbarCustomize"));
  rows.push_back(MachineFlag("LA", "System\\CurrentControlSet\\Control\\FileSystem",
                             "NtfsDisableLastAccessUpdate"));
  rows.push_back(BothOrUserOff("SS", kPoliciesExplorer, "NoSaveSettings"));
  rows.push_back(BothOrUserOff("FileMenu", kPoliciesExplorer, "NoFileMenu"));
  rows.push_back(BothOrUserOff("HTab", kPoliciesExplorer, "NoHardwareTab"));
  // "57" turns on the game's hidden cheat mode.
  rows.push_back(Check("Heart", "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Hearts",
                       "ZB", UserString("57"), UserString("0")));
  rows.push_back(UserFlag("HST", kPoliciesExplorer, "NoTrayItemsDisplay"));
  rows.push_back(UserFlag("TM", "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
                          "DisableTaskMgr"));
  rows.push_back(UserFlag("TG", kPoliciesExplorer, "NoTaskGrouping"));
  rows.push_back(
      Value("GW", Read::kPosition, Op::kDwordUser, kExplorerAdvanced, "TaskbarGroupSize"));
  rows.push_back(
      Check("AUD", kMachineExplorer, "AlwaysUnloadDll", MachineString("1"), MachineString("0")));
  rows.push_back(Value("SU", Read::kItemIndex, Op::kDwordMachine,
                       "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory "
                       "Management\\PrefetchParameters",
                       "EnablePrefetcher"));
  rows.push_back(
      Check("FRT", kWinlogon, "EnableQuickReboot", MachineString("1"), MachineString("0")));
  rows.push_back(
      MachineFlag("Mes", "Software\\Policies\\Microsoft\\Messenger\\Client", "PreventRun"));
  rows.push_back(MachineFlag("CDR", "SYSTEM\\CurrentControlSet\\Services\\Cdrom", "AutoRun"));
  rows.push_back(MachineFlag("NoWinKey", kMachinePoliciesExplorer, "NoWinKeys"));
  rows.push_back(MachineFlag("NoSS", kMemoryManagement, "ClearPageFileAtShutdown"));
  rows.push_back(MachineFlag("NoCP", kMachinePoliciesExplorer, "NoControlPanel"));
  rows.push_back(Check("BOp", {{"SOFTWARE\\Microsoft\\Dfrg\\BootOptimizeFunction", "Enable",
                                MachineString("Y"), MachineString("N")},
                               {"SOFTWARE\\Microsoft\\Dfrg\\BootOptimizeFunction",
                                "OptimizeComplete", MachineString("yes"), MachineString("No")}}));
  rows.push_back(UserFlag("RISM", kPoliciesExplorer, "MemCheckBoxInRunDlg"));
  rows.push_back(
      Check("MSD", "Control Panel\\Desktop", "MenuShowDelay", UserString("0"), UserString("200")));
  rows.push_back(UserFlag("CDBurn", kPoliciesExplorer, "NoCDBurning"));
  rows.push_back(Check("DBSF", "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
                       "ReportBootOk", MachineDword(0), MachineDword(1)));
  rows.push_back(MachineFlag(
      "UPI",
      "System\\CurrentControlSet\\Control\\Class\\{36FC9E60-C465-11CF-8056-444553540000}\\0000\\",
      "IdleEnable"));
  rows.push_back(
      Value("MCI", Read::kPosition, Op::kStringMachine, kMachineExplorer, "Max Cached Icons"));
  rows.push_back(Custom("", CommandWindowVerb));
  rows.push_back(Custom("DRC", RightClickMenus));
  rows.push_back(Custom("XFile", ExFileAssociation));
  rows.push_back(Custom("P1Icon", LibraryIcons));
  rows.push_back(Value("TS", Read::kPosition, Op::kDwordUser, kExplorer, "ThumbnailSize"));
  rows.push_back(Value("TQ", Read::kPosition, Op::kDwordUser, kExplorer, "ThumbnailQuality"));
  return rows;
}

}  // namespace

const std::vector<Row>& Page2Rows() {
  static const std::vector<Row> rows = BuildRows();
  return rows;
}

}  // namespace velotune
