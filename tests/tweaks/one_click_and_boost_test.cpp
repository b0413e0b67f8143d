// "1-Click Tweak", "GREEN Boost" and the title double-click.
#include <algorithm>

#include "tweaks/catalogue.h"
#include "tweaks/page_actions.h"
#include "tweaks/tweak_fixture.h"

namespace velotune {
namespace {

const std::string kPE = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::string kScript = "C:\\Program Files\\Velotune\\SpeedUp.reg";

void UntickGreenBoxes(MapControlStates& states) {
  for (const char* box : {"chkIC", "chkCFS", "SUMW", "chkIDM", "chkLatency"}) {
    states.checked[box] = false;
  }
}

using OneClick = TweakTest;
using GreenBoost = TweakTest;

TEST_F(OneClick, EqualsThePageSavesOneThreeTwo) {
  Button2Click(states);
  const Log oneClick = log;
  const std::string registryAfter = Export();

  // The same from a fresh registry, one save button after another.
  MemoryRegistry fresh;
  Log manual;
  LoggingRegistry freshLog(fresh, manual);
  LoggingFiles freshFiles(manual);
  RecordingProcesses freshProcesses;
  freshProcesses.onRun = [&](const RecordingProcesses::Call& call) {
    manual.push_back("run " + call.commandLine);
    std::string text;
    for (const std::string& line : freshFiles.files[kScript]) text += line + "\r\n";
    ImportRegScript(freshLog, text);
  };
  ImportRegScript(fresh, DeletablesScript());
  {
    ScopedSeams other(&freshLog, &freshProcesses, &freshFiles);
    Save2Click(states);
    Save3Click(states);
    Save1Click(states);
    SharedRegistry().CloseKey();
  }
  EXPECT_EQ(oneClick, manual);
  std::string manualAfter;
  for (RegistryRoot root : {RegistryRoot::ClassesRoot, RegistryRoot::CurrentUser,
                            RegistryRoot::LocalMachine, RegistryRoot::Users}) {
    manualAfter += ExportRegScript(fresh, root, "");
  }
  EXPECT_EQ(registryAfter, manualAfter);
}

TEST_F(OneClick, SharedTrayValueFollowsEachPage) {
  states.checked["NoTray"] = true;  // page 1, both hives
  states.checked["HST"] = false;    // page 2, HKCU only
  Button2Click(states);
  EXPECT_EQ(Find(RegistryRoot::LocalMachine, kPE, "NoTrayItemsDisplay")->data,
            (std::vector<std::uint8_t>{1, 0, 0, 0}));
  EXPECT_EQ(Find(RegistryRoot::CurrentUser, kPE, "NoTrayItemsDisplay")->data,
            (std::vector<std::uint8_t>{0, 0, 0, 0}));
}

TEST_F(OneClick, FailureInAPageEndsTheChain) {
  states.text["Manually"] = "x";
  EXPECT_THROW(Button2Click(states), EConvertError);
  // Nothing of pages 3 and 2 happened.
  EXPECT_TRUE(processes.calls.empty());
  for (const std::string& entry : log) EXPECT_EQ(entry.find("Security Center"), std::string::npos);
}

TEST_F(OneClick, TitleDoubleClickSavesPagesTwoOneThree) {
  titleDblClick(states);
  // Page 2's script first; page 1's cursors after it; page 3's latency last.
  const auto at = [this](const std::string& needle) {
    return std::find_if(log.begin(), log.end(),
                        [&](const std::string& e) { return e.find(needle) != std::string::npos; }) -
           log.begin();
  };
  EXPECT_LT(at("run Regedit"), at("Control Panel\\Cursors"));
  EXPECT_LT(at("Control Panel\\Cursors"), at("Security Center"));
  EXPECT_LT(at("Security Center"), at("TcpNoDelay"));
  EXPECT_EQ(log.back().find("TcpNoDelay") != std::string::npos, true);
}

TEST_F(GreenBoost, StartStatesApplyTheFiveGreenTweaksOnly) {
  Button5Click(states);
  const std::string cfg = "Software\\Microsoft\\Windows\\";
  Log expected = {
      "delete-file C:\\Users\\Tester\\AppData\\Local\\IconCache.DB",
      "delete-key HKCU\\" + cfg + "ShellNoRoam\\BagMRU\\0",
      "delete-key HKCU\\" + cfg + "ShellNoRoam\\BagMRU",
      "delete-key HKCU\\" + cfg + "ShellNoRoam\\Bags\\1",
      "delete-key HKCU\\" + cfg + "ShellNoRoam\\Bags",
      Dw("HKCU", cfg + "Shell", "BagMRU Size", 8000),
      Dw("HKCU", cfg + "ShellNoRoam", "BagMRU Size", 8000),
      "write-file " + kScript,
      "run Regedit.exe /s \"" + kScript + "\"",
  };
  // The script's own values (checked in detail by the page-2 tests).
  const auto script = std::find(log.begin(), log.end(), "delete-file " + kScript);
  ASSERT_NE(script, log.end());
  Log head(log.begin(), log.begin() + expected.size());
  EXPECT_EQ(head, expected);
  Log tail(script, log.end());
  Log expectedTail = {
      "delete-file " + kScript,
      Dw("HKCU", "Software\\DownloadManager", "ConnectionType", 11),
      Dw("HKCU", "Software\\DownloadManager", "ConnectionSpeed", 10000000),
      Dw("HKCU", "Software\\DownloadManager", "MaxConnectionsNumber", 16),
  };
  ASSERT_GE(tail.size(), expectedTail.size());
  EXPECT_EQ(Log(tail.begin(), tail.begin() + 4), expectedTail);
  EXPECT_EQ(tail.size(), 4u + 18u);  // then the latency values, nothing else
  EXPECT_FALSE(memory.KeyExists(RegistryRoot::CurrentUser, "Control Panel\\Cursors"));
}

TEST_F(GreenBoost, AllGreenBoxesUntickedDoesNothing) {
  UntickGreenBoxes(states);
  Button5Click(states);
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(processes.calls.empty());
}

// The logon name comes first; without one the icon-cache box is not looked at.
TEST_F(GreenBoost, IconCacheBoxIsReadOnlyWithALogonName) {
  for (const char* user : {"", "Tester"}) {
    processes.userName = user;
    states.reads.clear();
    files.deleted.clear();
    Button5Click(states);
    const bool read =
        std::find(states.reads.begin(), states.reads.end(), "chkIC") != states.reads.end();
    EXPECT_EQ(read, *user != '\0') << "user '" << user << "'";
    const auto caches = std::count(files.deleted.begin(), files.deleted.end(),
                                   "C:\\Users\\Tester\\AppData\\Local\\IconCache.DB");
    EXPECT_EQ(caches, *user ? 1 : 0) << "user '" << user << "'";
  }
}

TEST_F(GreenBoost, OnlyLatencyWritesTheEighteenValues) {
  UntickGreenBoxes(states);
  states.checked["chkLatency"] = true;
  Button5Click(states);
  ASSERT_EQ(log.size(), 18u);
  for (const std::string& entry : log) {
    EXPECT_EQ(entry.rfind(
                  "HKLM\\SYSTEM\\CurrentControlSet\\services\\Tcpip\\Parameters\\Interfaces\\{", 0),
              0u)
        << entry;
  }
}

TEST_F(GreenBoost, FolderViewSizeStaysAt8000WhereTheSaveLeavesTheTrackBar) {
  Button5Click(states);
  EXPECT_EQ(
      Find(RegistryRoot::CurrentUser, "Software\\Microsoft\\Windows\\Shell", "BagMRU Size")->data,
      (std::vector<std::uint8_t>{0x40, 0x1F, 0, 0}));
  Button2Click(states);
  EXPECT_EQ(
      Find(RegistryRoot::CurrentUser, "Software\\Microsoft\\Windows\\Shell", "BagMRU Size")->data,
      (std::vector<std::uint8_t>{0xAC, 0x0D, 0, 0}));
}

TEST_F(GreenBoost, RegistryEditorThatCannotStartEndsTheBoost) {
  processes.failCode = 2;
  EXPECT_THROW(Button5Click(states), EOSError);
  EXPECT_EQ(log.back(), "write-file " + kScript);
  EXPECT_EQ(files.files.count(kScript), 1u);
}

}  // namespace
}  // namespace velotune
