// velotune-cli over the memory registry: what each command prints and exits
// with, that bad arguments change nothing, that apply and undo round-trip,
// and that writes which silently do not hold are reported.
#include <gtest/gtest.h>

#include "cli/json_text.h"
#include "cli/plan_fixture.h"
#include "platform/reg_script.h"
#include "tweaks/backups.h"

namespace velotune {
namespace {

const char kBackups[] = "C:\\Users\\Tester\\AppData\\Local\\Velotune\\Backups\\";
const char kMachineBackups[] = "C:\\ProgramData\\Velotune\\Backups\\";

// Takes the writes of one value name as done without keeping them, as a
// policy can make the registry do.
class LosingRegistry : public MemoryRegistry {
 public:
  std::string lost;
  long SetValueEx(RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override {
    if (name == lost) return regerr::kSuccess;
    return MemoryRegistry::SetValueEx(key, name, type, data, size);
  }
};

class CommandLine : public CliTest {
 protected:
  std::vector<std::string> Backups() {
    std::vector<std::string> names;
    for (const BackupInfo& b : ListBackups(files)) names.push_back(b.file);
    return names;
  }
};

TEST_F(CommandLine, BadArgumentsSayWhatIsWrongAndChangeNothing) {
  const std::string see = " (velotune-cli --help lists the commands)";
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, "No command given" + see},
      {{"frob"}, "Unknown command frob" + see},
      {{"apply", "one-click", "--forcibly"}, "Unknown option --forcibly" + see},
      {{"plan"}, "plan needs an action: page1, page2, page3, one-click, green, fix"},
      {{"apply", "two-click"},
       "Unknown action two-click: give one of page1, page2, page3, one-click, green, fix"},
      {{"apply", "page1", "page2"}, "Unexpected argument page2 after apply" + see},
      {{"list", "page4"}, "Unknown page page4: give page1, page2, page3 or fix"},
      {{"apply", "page1", "--set"}, "--set needs NAME=VALUE after it"},
      {{"apply", "page1", "--set", "Admin"}, "--set needs NAME=VALUE, not \"Admin\""},
      {{"backups", "--set", "Admin=1"},
       "--set does not go with backups; it sets controls for plan, diff, apply, export and status"},
      {{"apply", "page1", "--set", "Admin=2"}, "Admin is a check box: give 0 or 1"},
      {{"apply", "page2", "--set", "MCI=1000"},
       "MCI is an up-down: give a position from 512 to 8192 in steps of 512"},
      {{"apply", "page2", "--set", "SU=4"},
       "SU is a drop-down list: give an item index from 0 to 3"},
      {{"apply", "page2", "--set", "TB=8001"}, "TB is a track bar: give a position from 0 to 8000"},
      {{"apply", "page3", "--set", "D1=0"}, "D1 is a radio button: give 1 to select it"},
      {{"apply", "page2", "--set", "atr=9"}, "atr only shows a position; set its up-down instead"},
      {{"apply", "fix", "--set", "chkCmd=0"},
       "chkCmd cannot be changed in the window, so it cannot be set"},
      {{"apply", "page1", "--set", "FDI=1"}, "FDI is hidden in the window and cannot be set"},
      {{"apply", "page1", "--set", "Nope=1"},
       "There is no control Nope on the pages (velotune-cli list shows them)"},
      {{"undo", "nosuch"},
       "There is no backup nosuch in " + std::string(kMachineBackups) + " or " + kBackups +
           " (velotune-cli backups lists them)"},
      {{"undo", "2014-06-01_13-45-12-001_one-click", "--trust"},
       "--trust needs the backup named by its path (undo \"C:\\...\\x.reg\" --trust)"},
  };
  const std::string before = Dump(live);
  const auto filesBefore = files.files;
  for (const auto& c : cases) {
    std::string line;
    for (const std::string& arg : c.first) line += arg + " ";
    SCOPED_TRACE(line);
    CliResult result = Run(c.first);
    EXPECT_EQ(cli_exit::kBadArguments, result.exitCode);
    EXPECT_EQ(c.second + "\n", result.err);
    EXPECT_EQ("", result.out);
    std::vector<std::string> withJson = c.first;
    withJson.push_back("--json");
    EXPECT_EQ("{\"error\":" + JsonString(c.second) + ",\"exitCode\":2}\n", Run(withJson).out);
  }
  EXPECT_EQ(before, Dump(live));
  EXPECT_EQ(filesBefore, files.files);
  EXPECT_TRUE(processes.calls.empty());
}

TEST_F(CommandLine, ApplyThenUndoGivesTheRegistryBackAndAnUndoCanBeUndone) {
  const std::string before = Dump(live);
  CliResult applied = Run({"apply", "one-click"});
  ASSERT_EQ(cli_exit::kOk, applied.exitCode) << applied.out << applied.err;
  EXPECT_EQ(0u, applied.out.find("Backup written: " + std::string(kMachineBackups) +
                                 "2014-06-01_13-45-12-001_one-click.reg\n"))
      << applied.out;
  EXPECT_NE(std::string::npos, applied.out.find("values and keys read back as planned"));
  const std::string after = Dump(live);
  ASSERT_NE(before, after);
  EXPECT_EQ("1-Click Tweak (one-click) would change nothing in the registry\n",
            Run({"diff", "one-click"}).out);
  EXPECT_EQ(cli_exit::kOk, Run({"status"}).exitCode);

  EXPECT_EQ(cli_exit::kOk, Run({"undo"}).exitCode);
  EXPECT_EQ(before, Dump(live));
  // Nothing is left to undo but by name: the undo's own backup.
  CliResult nothing = Run({"undo"});
  EXPECT_EQ(cli_exit::kActionFailed, nothing.exitCode);
  EXPECT_EQ(0u, nothing.err.find("Nothing is left to undo in ")) << nothing.err;
  const std::string undoBackup =
      "2014-06-01_13-45-12-002_undo_2014-06-01_13-45-12-001_one-click.reg";
  EXPECT_EQ(cli_exit::kOk, Run({"undo", std::string(kMachineBackups) + undoBackup}).exitCode);
  EXPECT_EQ(after, Dump(live));
  // Its undo undone, the action counts as not undone again.
  EXPECT_EQ(cli_exit::kOk, Run({"undo"}).exitCode);
  EXPECT_EQ(before, Dump(live));
  EXPECT_EQ(std::vector<std::string>(
                {"2014-06-01_13-45-12-004_undo_2014-06-01_13-45-12-001_one-click.reg",
                 "2014-06-01_13-45-12-003_undo_2014-06-01_13-45-12-002_undo.reg", undoBackup,
                 "2014-06-01_13-45-12-001_one-click.reg"}),
            Backups());
}

// Each plain undo steps one action further back: it takes the newest
// backup not yet undone and never an undo's own. A backup is named as
// "Backup written:" prints it, or by its name in any letter case.
TEST_F(CommandLine, TwoUndosStepBackTwiceAndBackupsSaysWhatWasUndone) {
  const std::string start = Dump(live);
  ASSERT_EQ(cli_exit::kOk, Run({"apply", "fix", "--set", "chkFO=1"}).exitCode);
  const std::string afterFix = Dump(live);
  ASSERT_EQ(cli_exit::kOk, Run({"apply", "green"}).exitCode);
  const std::string afterGreen = Dump(live);
  ASSERT_NE(afterFix, afterGreen);

  ASSERT_EQ(cli_exit::kOk, Run({"undo"}).exitCode);
  EXPECT_EQ(afterFix, Dump(live));
  const CliResult second = Run({"undo"});
  ASSERT_EQ(cli_exit::kOk, second.exitCode);
  EXPECT_EQ(start, Dump(live));
  const std::string listing = Run({"backups"}).out;
  for (const char* line :
       {"  2014-06-01 13:45:12  machine  undo      2014-06-01_13-45-12-004_undo_2014-06-01_"
        "13-45-12-001_fix.reg  (undoes 2014-06-01_13-45-12-001_fix.reg)\n",
        "  2014-06-01 13:45:12  machine  green     2014-06-01_13-45-12-002_green.reg  (undone)\n",
        "  2014-06-01 13:45:12  machine  fix       2014-06-01_13-45-12-001_fix.reg  (undone)\n"})
    EXPECT_NE(std::string::npos, listing.find(line)) << listing;
  EXPECT_NE(std::string::npos,
            Run({"backups", "--json"})
                .out.find("\"file\":\"2014-06-01_13-45-12-002_green.reg\",\"path\":"
                          "\"C:\\\\ProgramData\\\\Velotune\\\\Backups\\\\2014-06-"
                          "01_13-45-12-002_green.reg\",\"place\":\"machine\",\"time\":"
                          "\"2014-06-01 13:45:12\",\"action\":\"green\",\"undoes\":"
                          "null,\"undone\":true}"));

  // Undone in turn, by the path "Backup written:" printed and by a name in
  // capitals, the undos give back what they took.
  const std::string printed = second.out.substr(16, second.out.find('\n') - 16);
  ASSERT_EQ(0u, printed.find(kMachineBackups)) << second.out;
  ASSERT_EQ(cli_exit::kOk, Run({"undo", printed}).exitCode);
  EXPECT_EQ(afterFix, Dump(live));
  ASSERT_EQ(cli_exit::kOk,
            Run({"undo", "2014-06-01_13-45-12-003_UNDO_2014-06-01_13-45-12-002_GREEN"}).exitCode);
  EXPECT_EQ(afterGreen, Dump(live));
}

TEST_F(CommandLine, SetControlsAsTheWindowWouldIncludingTheEditBesideAnUpDown) {
  ASSERT_EQ(
      cli_exit::kOk,
      Run({"apply", "page2", "--set", "uatr=7", "--set", "SU=3", "--set", "XFile=0"}).exitCode);
  RegValue value;
  ASSERT_TRUE(
      ValueAt(live, RegistryRoot::CurrentUser, "Control Panel\\Desktop", "CoolSwitchRows", &value));
  EXPECT_EQ("\"7\"", ScriptData(value));
  ASSERT_TRUE(ValueAt(live, RegistryRoot::LocalMachine,
                      "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory "
                      "Management\\PrefetchParameters",
                      "EnablePrefetcher", &value));
  EXPECT_EQ("dword:00000003", ScriptData(value));
  ASSERT_TRUE(ValueAt(live, RegistryRoot::ClassesRoot, ".ex", "", &value));
  EXPECT_EQ("\"\"", ScriptData(value));
}

TEST_F(CommandLine, ApplyReportsWritesThatDoNotHold) {
  LosingRegistry losing;
  ImportRegScript(losing, SeedScript());
  losing.lost = "NoViewContextMenu";
  CliResult result = Run(losing, {"apply", "page2"});
  EXPECT_EQ(cli_exit::kNotAsPlanned, result.exitCode);
  EXPECT_NE(std::string::npos,
            result.out.find("  HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                            "Policies\\Explorer  \"NoViewContextMenu\": (none), expected "
                            "dword:00000000 (0)\n"))
      << result.out;
  CliResult json = Run(losing, {"apply", "page2", "--json"});
  EXPECT_EQ(cli_exit::kNotAsPlanned, json.exitCode);
  EXPECT_NE(std::string::npos, json.out.find("\"notHeld\":[{\"key\":")) << json.out;
}

TEST_F(CommandLine, ABackupThatCannotBeWrittenStopsTheActionBeforeAnyChange) {
  const std::string before = Dump(live);
  for (bool folder : {true, false}) {
    files.refuseFolders = folder;
    files.refuseCreate = !folder;
    CliResult result = Run({"apply", "one-click"});
    EXPECT_EQ(cli_exit::kNoBackup, result.exitCode);
    EXPECT_EQ(0u, result.err.find("The registry backup could not be written, so nothing has been "
                                  "changed.\r\n"))
        << result.err;
  }
  EXPECT_EQ(before, Dump(live));
  EXPECT_TRUE(processes.calls.empty());
  EXPECT_EQ(1u, files.files.count("C:\\Users\\Tester\\AppData\\Local\\IconCache.DB"));
}

// Without the administrator's rights the system would refuse machine-wide
// writes and the registry editor halfway through: apply and undo stop
// before their backup, saying what needs the rights; what stays with the
// user runs. HKEY_CLASSES_ROOT is the user's where the user has the key.
TEST_F(CommandLine, WithoutElevationMachineWideWorkStopsWithFiveBeforeTheBackup) {
  processes.elevated = false;
  const std::string before = Dump(live);
  const auto filesBefore = files.files;
  CliResult page3 = Run({"apply", "page3"});
  EXPECT_EQ(cli_exit::kNotElevated, page3.exitCode);
  EXPECT_EQ(
      "Save Changes on Tweaks [3] (page3) needs administrator rights: it writes "
      "HKEY_LOCAL_MACHINE\\SYSTEM and 40 more machine-wide keys. Nothing was changed; run "
      "it from an elevated prompt.\n",
      page3.err);
  EXPECT_EQ("", page3.out);
  CliResult fix = Run({"apply", "fix", "--json"});
  EXPECT_EQ(cli_exit::kNotElevated, fix.exitCode);
  EXPECT_EQ(
      "{\"error\":\"FIX IT! (fix) needs administrator rights: it writes "
      "HKEY_CURRENT_"
      "USER\\\\Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Policies\\\\System, "
      "and starts the registry editor. Nothing was changed; run it from an elevated "
      "prompt.\",\"exitCode\":5}\n",
      fix.out);
  // A batch file works on the machine as much as the registry editor does.
  CliResult flush = Run({"apply", "fix", "--set", "chkFlushDNS=1"});
  EXPECT_EQ(cli_exit::kNotElevated, flush.exitCode);
  EXPECT_NE(
      std::string::npos,
      flush.err.find(", starts the registry editor, and runs cmd.exe /c "
                     "\"C:\\Velotune\\FIXER\\Networking\\FlushDNS.bat\". Nothing was changed"))
      << flush.err;
  EXPECT_EQ(before, Dump(live));
  EXPECT_EQ(filesBefore, files.files);
  EXPECT_TRUE(processes.calls.empty());

  // An undo of the user's own keys, one class among them that the user has.
  WriteStringUser("Software\\Classes\\.vélo", "", "VeloFile");
  const std::string backup = std::string(kBackups) + "2014-05-31_09-00-00-000_page1.reg";
  std::vector<std::string> lines = {
      "[HKEY_CURRENT_USER\\Control Panel\\Desktop]",
      "\"Wallpaper\"=\"C:\\\\Users\\\\Jürgen\\\\Bilder\\\\Größe.bmp\"",
      "\"MenuShowDelay\"=-",
      "",
      "[HKEY_CLASSES_ROOT\\.vélo]",
      "\"Content Type\"=\"image/x-vélo\""};
  ASSERT_TRUE(files.WriteNewFile(backup, Version5Script(lines, true)));
  CliResult undo = Run({"undo"});
  ASSERT_EQ(cli_exit::kOk, undo.exitCode) << undo.out << undo.err;
  RegValue wallpaper;
  ASSERT_TRUE(
      ValueAt(live, RegistryRoot::CurrentUser, "Control Panel\\Desktop", "Wallpaper", &wallpaper));
  EXPECT_EQ("\"C:\\\\Users\\\\Jürgen\\\\Bilder\\\\Größe.bmp\"", ScriptData(wallpaper));
  // A class the user does not have is the machine's: the same undo with one
  // more key is refused, and names it.
  lines.push_back("[HKEY_CLASSES_ROOT\\ftp.vélo]");
  files.Delete(backup);
  ASSERT_TRUE(files.WriteNewFile(backup, Version5Script(lines, true)));
  CliResult machineClass = Run({"undo", "2014-05-31_09-00-00-000_page1"});
  EXPECT_EQ(cli_exit::kNotElevated, machineClass.exitCode);
  EXPECT_EQ(0u, machineClass.err.find("Undo of 2014-05-31_09-00-00-000_page1.reg needs "
                                      "administrator rights: it writes "
                                      "HKEY_CLASSES_ROOT\\ftp.vélo. Nothing was changed"))
      << machineClass.err;
}

TEST_F(CommandLine, StatusNamesTheControlsWhoseValuesTheRegistryDoesNotHold) {
  ASSERT_EQ(cli_exit::kOk, Run({"apply", "one-click"}).exitCode);
  WriteStringUser("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
                  "StartMenuAdminTools", "-1");
  CliResult result = Run({"status"});
  EXPECT_EQ(cli_exit::kNotAsPlanned, result.exitCode);
  EXPECT_NE(std::string::npos,
            result.out.find("  differs Admin         Show Administrative Tools\n"
                            "        HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\"
                            "CurrentVersion\\Explorer\\Advanced  \"StartMenuAdminTools\": \"-1\", "
                            "expected \"0\"\n"))
      << result.out;
  EXPECT_NE(std::string::npos, result.out.find("  matches chkCFS        Clean Folder Settings\n"));
  EXPECT_NE(std::string::npos,
            result.out.find("  nothing D2            Show all drive letters before the label\n"));
  // With the box ticked, the value is what the page would write.
  EXPECT_EQ(cli_exit::kOk, Run({"status", "--set", "Admin=1"}).exitCode);
}

TEST_F(CommandLine, ListShowsEachControlAUserSetsWithItsStartState) {
  const std::string page2 = Run({"list", "page2"}).out;
  EXPECT_EQ(0u, page2.find("Tweaks [2] (page2)\n")) << page2;
  EXPECT_NE(
      std::string::npos,
      page2.find("  SU            drop-down list 0      Speed Up Windows XP boot  (0 Disabled "
                 "Prefetch, 1 Application launch prefetching, 2 Boot prefetching 1, 3 "
                 "Both prefetching 2)\n"));
  EXPECT_NE(std::string::npos,
            page2.find("  MCI           up-down        4096   Max Cached Icons :   (512 to 8192, "
                       "step 512)\n"));
  EXPECT_EQ(std::string::npos, page2.find("MCT"));  // it only shows MCI's position
  const std::string all = Run({"list"}).out;
  EXPECT_NE(std::string::npos, all.find("  chkCmd        check box      1      Fix Disabled "
                                        "Command Prompt.  (cannot be changed)\n"));
  EXPECT_NE(std::string::npos, all.find("  Manually      edit           \"1\"    HungAppTimeOut"));
  EXPECT_EQ(std::string::npos, all.find("FDI"));
  EXPECT_EQ(std::string::npos, all.find("chkExpFrame"));
  EXPECT_NE(std::string::npos,
            Run({"list", "fix", "--json"})
                .out.find("{\"name\":\"cmbFO\",\"kind\":\"drop-down list\",\"caption\":\"Fix "
                          "Folder Options\",\"state\":2,\"changeable\":true,\"items\":"));
}

TEST_F(CommandLine, PlanShowsImportedScriptsAndWhatCannotBePreviewed) {
  CliResult plan = Run({"plan", "fix", "--set", "chkFlushDNS=1"});
  EXPECT_EQ(cli_exit::kOk, plan.exitCode);
  EXPECT_NE(std::string::npos,
            plan.out.find("start         regedit.exe /s \"C:\\Velotune\\FIXER\\SysTools\\"
                          "Enable_CMD.fix\"  (imports C:\\Velotune\\FIXER\\SysTools\\"
                          "Enable_CMD.fix)\n"))
      << plan.out;
  EXPECT_NE(std::string::npos,
            plan.out.find("  set value     HKEY_CURRENT_USER\\Software\\Policies\\Microsoft\\"
                          "Windows\\System  \"DisableCMD\" = dword:00000000 (0)\n"));
  EXPECT_NE(std::string::npos,
            plan.out.find("start         cmd.exe /c \"C:\\Velotune\\FIXER\\Networking\\"
                          "FlushDNS.bat\"  (cannot be previewed or undone)\n"));
  EXPECT_NE(std::string::npos, Run({"diff", "fix", "--set", "chkFlushDNS=1"})
                                   .out.find("It would also start, without a preview and beyond "
                                             "undoing:\n  cmd.exe /c \"C:\\Velotune\\FIXER\\"
                                             "Networking\\FlushDNS.bat\"\n"));
  CliResult failing = Run({"plan", "page1", "--set", "OnExit=soon"});
  EXPECT_EQ(cli_exit::kActionFailed, failing.exitCode);
  EXPECT_NE(std::string::npos,
            failing.out.find("The action would stop here: 'soon' is not a valid integer value\n"));
}

TEST(Backups, TheNewestFiftyAreKeptAndOtherFilesLeftAlone) {
  RecordingFiles files;
  files.files[std::string(kBackups) + "notes.reg"] = {"mine"};
  for (int i = 0; i < 52; ++i)
    WriteBackup(files, "page1", Version5Script({}, true), LocalTime{2014, 6, 1, 10, i, 0, 0});
  std::vector<BackupInfo> backups = ListBackups(files);
  ASSERT_EQ(kBackupsKept, backups.size());
  EXPECT_EQ("2014-06-01_10-51-00-000_page1.reg", backups.front().file);
  EXPECT_EQ("2014-06-01_10-02-00-000_page1.reg", backups.back().file);
  EXPECT_EQ(1u, files.files.count(std::string(kBackups) + "notes.reg"));
  // One written within the same millisecond, or with the clock put back,
  // still sorts as the newest.
  EXPECT_EQ(std::string(kBackups) + "2014-06-01_10-51-00-001_undo.reg",
            WriteBackup(files, "undo", Version5Script({}, true), LocalTime{2014, 6, 1, 10, 51}));
  EXPECT_EQ(std::string(kBackups) + "2014-06-01_10-51-00-002_fix.reg",
            WriteBackup(files, "fix", Version5Script({}, true), LocalTime{2014, 6, 1, 9, 0}));
}

TEST(Json, StringsAreEscapedAndCarriedAsUtf8) {
  EXPECT_EQ("\"a\\\"b\\\\c\\u000d\\u000a \xC3\xA4 \xC2\xBB \xE2\x82\xAC\"",
            JsonString("a\"b\\c\r\n \xC3\xA4 \xC2\xBB \xE2\x82\xAC"));
}

}  // namespace
}  // namespace velotune
