// What apply and undo refuse, each time with nothing changed: backups that
// are cut short, damaged or aimed at a whole root, a disk that fills while
// the backup is written, an action whose plan fails, and numbers that would
// wrap round. Pruning never takes the backup an undo reads.
#include <gtest/gtest.h>

#include "cli/cli_commands.h"
#include "cli/plan_fixture.h"
#include "platform/reg_script.h"
#include "platform/registry_values.h"
#include "tweaks/backed_up_action.h"
#include "tweaks/backups.h"
#include "tweaks/registry.h"

namespace velotune {
namespace {

const char kBackups[] = "C:\\Users\\Tester\\AppData\\Local\\Velotune\\Backups\\";
const char kMachineBackups[] = "C:\\ProgramData\\Velotune\\Backups\\";

class Refusals : public PlanTest {
 protected:
  CliResult Run(const std::vector<std::string>& args) {
    CliEnvironment env{live, files, processes, ReadTextFile(VELOTUNE_MAIN_FORM),
                       [this] { return LocalTime{2014, 6, 1, 13, 45, 12, ++milliseconds_}; }};
    return RunCli(args, env);
  }
  std::size_t BackupCount() { return ListBackups(files).size(); }
  // A file of the backup name pattern holding the bytes.
  void PutBackup(const std::string& name, const std::string& bytes) {
    files.files[kBackups + name] = {bytes};
    files.whole.insert(kBackups + name);
  }
  // Checks that undo of the file refuses with exit 3 and the message part,
  // leaving the registry and the backups as they were.
  void ExpectUndoRefused(const std::string& name, const std::string& bytes,
                         const std::string& message) {
    SCOPED_TRACE(name);
    PutBackup(name, bytes);
    const std::string before = Dump(live);
    const std::size_t backups = BackupCount();
    const CliResult result = Run({"undo", name});
    EXPECT_EQ(cli_exit::kActionFailed, result.exitCode);
    EXPECT_NE(std::string::npos, result.err.find(message)) << result.err;
    EXPECT_EQ(before, Dump(live));
    EXPECT_EQ(backups, BackupCount());
  }

 private:
  int milliseconds_ = 0;
};

TEST_F(Refusals, UndoRunsOnlyAWholeWellFormedBackup) {
  // A real backup to cut: one-click over a registry with non-ASCII names.
  ASSERT_EQ(cli_exit::kOk, Run({"apply", "one-click"}).exitCode);
  const std::string real =
      files.files.at(std::string(kMachineBackups) + "2014-06-01_13-45-12-001_one-click.reg")[0];
  // Cut at the blank line before the last key: every line reads, but the
  // closing line is gone.
  const std::string blankLine = Version5Script({"", "["}, false).substr(78, 6);
  const std::size_t cut = real.rfind(blankLine, real.size() - 60);
  ASSERT_NE(std::string::npos, cut);
  ExpectUndoRefused("2014-06-01_13-00-00-000_cut.reg", real.substr(0, cut + 4),
                    "does not end with its closing line \"; End of Velotune backup\": it may have "
                    "been cut short, so nothing has been changed. The system's registry editor "
                    "can still import it");
  const std::string key = "[HKEY_CURRENT_USER\\Control Panel\\Desktop]";
  ExpectUndoRefused("2014-06-01_13-00-00-001_hex.reg",
                    Version5Script({key, "\"Blob\"=hex:01,02,0"}, true), "line 3: bad hex bytes");
  ExpectUndoRefused("2014-06-01_13-00-00-002_root.reg",
                    Version5Script({"", "[-HKEY_CURRENT_USER]"}, true),
                    "line 3: [HKEY_CURRENT_USER] names a whole root");
  ExpectUndoRefused("2014-06-01_13-00-00-003_nowhere.reg",
                    Version5Script({"[HKEY_NOWHERE\\Software]"}, true),
                    "line 2: unknown root in [HKEY_NOWHERE\\Software]");
  ExpectUndoRefused("2014-06-01_13-00-00-004_type.reg",
                    Version5Script({key, "\"MenuShowDelay\"=hex(123456789):00"}, true),
                    "line 3: unknown value type hex(123456789)");
  ExpectUndoRefused("2014-06-01_13-00-00-005_old.reg", "REGEDIT4\r\n\r\n" + key + "\r\n",
                    "line 1: not a \"Windows Registry Editor Version 5.00\" script");
  // The whole backup still undoes the action.
  EXPECT_EQ(cli_exit::kOk, Run({"undo", "2014-06-01_13-45-12-001_one-click.reg"}).exitCode);
}

// Any process of the user can write the user's backup folder, and an
// elevated undo runs what it finds: a file there that would write
// machine-wide keys runs only when named by its path with --trust. Planted
// in the machine's folder (made by someone else before it was protected) it
// is no better: only administrators may have written it. A file that looks
// like the user's own but first deletes the user's class, so that its write
// lands in the machine's, counts as machine-wide too.
TEST_F(Refusals, APlantedBackupThatWouldWriteMachineWideKeysIsRefused) {
  WriteStringUser("Software\\Classes\\.vélo", "", "VeloFile");
  const std::string wipe = Version5Script({"", "[-HKEY_LOCAL_MACHINE\\SOFTWARE]"}, true);
  const std::string overClass = Version5Script(
      {"", "[-HKEY_CLASSES_ROOT\\.vélo]", "", "[HKEY_CLASSES_ROOT\\.vélo]", "@=\"Привет\""}, true);
  const std::string newest = "2099-12-31_23-59-59-999_page1.reg";
  const std::string wiped =
      "it writes HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\"
      "SpecialAccounts\\UserList and 13 more machine-wide keys.";
  const struct {
    std::string folder, bytes, why;
  } planted[] = {
      {kBackups, wipe,
       " does not lie in C:\\ProgramData\\Velotune\\Backups\\, the folder only administrators "
       "can change, so anyone could have written it, and " +
           wiped},
      {kMachineBackups, wipe,
       " lies in C:\\ProgramData\\Velotune\\Backups\\, but its owner or its permissions let others "
       "than administrators change it, so anyone could have written it, and " +
           wiped},
      {kBackups, overClass, ", and it writes HKEY_CLASSES_ROOT\\.vélo."},
  };
  const std::string before = Dump(live);
  for (const auto& p : planted) {
    SCOPED_TRACE(p.folder + " " + p.why);
    files.files[p.folder + newest] = {p.bytes};
    files.whole.insert(p.folder + newest);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"undo"}, {"undo", p.folder + newest}}) {
      const CliResult result = Run(args);
      EXPECT_EQ(cli_exit::kActionFailed, result.exitCode);
      EXPECT_EQ(0u, result.err.find("The backup " + newest)) << result.err;
      EXPECT_NE(std::string::npos, result.err.find(p.why + " Nothing has been changed."))
          << result.err;
      EXPECT_NE(std::string::npos,
                result.err.find("velotune-cli undo \"" + p.folder + newest + "\" --trust\n"));
    }
    EXPECT_EQ(before, Dump(live));
    EXPECT_EQ(0u, BackupCount() - 1);
    files.Delete(p.folder + newest);
  }
  // Named by its path and trusted, it runs.
  files.files[std::string(kBackups) + newest] = {overClass};
  files.whole.insert(std::string(kBackups) + newest);
  ASSERT_EQ(cli_exit::kOk, Run({"undo", std::string(kBackups) + newest, "--trust"}).exitCode);
  RegValue value;
  ASSERT_TRUE(ValueAt(live, RegistryRoot::ClassesRoot, ".vélo", "", &value));
  EXPECT_EQ("\"Привет\"", ScriptData(value));
}

TEST_F(Refusals, AFullDiskLeavesNoBackupAndNoChange) {
  files.diskSpace = 1000;
  const std::string before = Dump(live);
  const CliResult result = Run({"apply", "one-click"});
  EXPECT_EQ(cli_exit::kNoBackup, result.exitCode);
  EXPECT_EQ(
      "The registry backup could not be written, so nothing has been changed.\r\n"
      "Cannot create file \"" +
          std::string(kMachineBackups) +
          "2014-06-01_13-45-12-001_one-click.reg\". There is not enough space on the "
          "disk.\n",
      result.err);
  EXPECT_EQ(before, Dump(live));
  EXPECT_EQ(0u, BackupCount());
  EXPECT_TRUE(processes.calls.empty());
}

TEST_F(Refusals, APlanThatWouldFailOrANumberThatWouldWrapChangesNothing) {
  const std::string before = Dump(live);
  CliResult result = Run({"apply", "page1", "--set", "Manually=abc"});
  EXPECT_EQ(cli_exit::kActionFailed, result.exitCode);
  EXPECT_EQ(
      "Save Changes on Tweaks [1] (page1) would stop, so nothing has been changed: 'abc' is not a "
      "valid "
      "integer value\n",
      result.err);
  result = Run({"apply", "page2", "--set", "TQ=4294967346"});
  EXPECT_EQ(cli_exit::kBadArguments, result.exitCode);
  EXPECT_EQ(0u, result.err.find("TQ is an up-down: give a position from ")) << result.err;
  result = Run({"apply", "fix", "--set", "cmbFO=4294967297"});
  EXPECT_EQ(cli_exit::kBadArguments, result.exitCode);
  EXPECT_EQ(before, Dump(live));
  EXPECT_EQ(0u, BackupCount());
  EXPECT_TRUE(processes.calls.empty());
}

TEST_F(Refusals, PruningNeverTakesTheBackupAnUndoReads) {
  for (int i = 0; i < 50; ++i)
    WriteBackup(files, "page3", Version5Script({}, true), LocalTime{2014, 6, 1, 9, i, 0, 0});
  const std::string oldest = "2014-06-01_09-00-00-000_page3.reg";
  ASSERT_EQ(oldest, ListBackups(files).back().file);
  EXPECT_EQ(cli_exit::kOk, Run({"undo", oldest}).exitCode);
  const std::vector<BackupInfo> backups = ListBackups(files);
  EXPECT_EQ(51u, backups.size());  // the newest 50, and the one undone
  EXPECT_EQ(oldest, backups.back().file);
  EXPECT_EQ("2014-06-01_13-45-12-001_undo_2014-06-01_09-00-00-000_page3.reg", backups.front().file);
}

// The window's way: an action whose plan fails raises the plan's message for
// the error box before its backup, and changes nothing.
TEST_F(Refusals, TheWindowsActionsStopBeforeTheBackupWhenThePlanFails) {
  const std::string before = Dump(live);
  try {
    RunWithBackup("page1", LocalTime{2014, 6, 1, 13, 0, 0, 0}, [] {
      WriteDwordUser("Software\\Velotune\\Probe", "Before", 1);
      throw ERegistryException("Failed to set data for 'Grüße'");
    });
    ADD_FAILURE() << "ran";
  } catch (const Exception& e) {
    EXPECT_STREQ("Failed to set data for 'Grüße'", e.what());
  }
  EXPECT_EQ(before, Dump(live));
  EXPECT_EQ(0u, BackupCount());
}

}  // namespace
}  // namespace velotune
