#include <algorithm>
#include <string>
#include <vector>

#include "fixes/fix_actions.h"
#include "fixes/fix_page_fixture.h"
#include "platform/registry_names.h"
#include "tweaks/registry.h"

namespace velotune {
namespace {

constexpr char kPolicySystem[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr char kRegeditDebugger[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\regedit.exe";
constexpr char kTrayNotify[] =
    "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\TrayNotify";
constexpr char kNewHandler[] = "Directory\\Background\\ShellEx\\ContextMenuHandlers\\New";

// What a run with every box ticked starts, in order: System Tools, Explorer,
// File Associations, Services, Networking, Misc. "bat:" marks batch files and
// "cmd:" a command started as it is; the rest are registry scripts.
const std::vector<std::string> kEveryRepair = {
    "SysTools\\w7-snippingtool-fix.fix",
    "SysTools\\Enable_CMD.fix",
    "SysTools\\devmgr-snapin.fix",
    "Explorer\\doubleclick.fix",
    "Explorer\\w7-details-tab.fix",
    "Explorer\\rbemptyfull.fix",
    "Explorer\\restorenewcontextmenu.fix",
    "Explorer\\Default_MenuShowDelay.fix",
    "Explorer\\FolderOptions_7.fix",
    "FileAssoc\\w7-library-fix.fix",
    "FileAssoc\\w7-cddvd-asso_dvd.fix",
    "FileAssoc\\w7-cddvd-asso_audiocd.fix",
    "FileAssoc\\Default_BAT.fix",
    "FileAssoc\\Default_BMP.fix",
    "FileAssoc\\Default_CPL.fix",
    "FileAssoc\\Default_DLL.fix",
    "FileAssoc\\Default_EXE.fix",
    "FileAssoc\\Default_GIF.fix",
    "FileAssoc\\Default_HTM.fix",
    "FileAssoc\\Default_HTML.fix",
    "FileAssoc\\Default_ICO.fix",
    "FileAssoc\\Default_INI.fix",
    "FileAssoc\\Default_INF.fix",
    "FileAssoc\\Default_JPE.fix",
    "FileAssoc\\Default_JPEG.fix",
    "FileAssoc\\Default_JPG.fix",
    "FileAssoc\\Default_JS.fix",
    "FileAssoc\\Default_JSE.fix",
    "FileAssoc\\Default_LNK.fix",
    "FileAssoc\\Default_LOG.fix",
    "FileAssoc\\Default_MSC.fix",
    "FileAssoc\\Default_MSI.fix",
    "FileAssoc\\Default_PNG.fix",
    "FileAssoc\\Default_REG.fix",
    "FileAssoc\\Default_SCR.fix",
    "FileAssoc\\Default_TXT.fix",
    "FileAssoc\\Default_TTF.fix",
    "FileAssoc\\Default_VBS.fix",
    "FileAssoc\\Default_ZIP.fix",
    "FileAssoc\\Default_Directory.fix",
    "FileAssoc\\Default_Drive.fix",
    "FileAssoc\\Default_Folder.fix",
    "Services\\w7-msi1719-fix.fix",
    "Services\\w7-bfe.fix",
    "Services\\w7-bits.fix",
    "Services\\w7-spooler.fix",
    "Services\\w7-mpsdrv.fix",
    "Services\\w7-mpssvc.fix",
    "Services\\w7-msiserver.fix",
    "Services\\windefend.fix",
    "Services\\w7-wsearch.fix",
    "Services\\wscsvc.fix",
    "bat:Networking\\ResetNetwork.bat",
    "bat:Networking\\FlushDNS.bat",
    "Misc\\w7-openwith-error-fix.fix",
    "Misc\\disableSelectiveSuspend.fix",
    "Misc\\w8-scanwithdefender.fix",
    "Misc\\deletelowerfilters.fix",
    "Misc\\deleteupperfilters.fix",
    "cmd:powercfg -restoredefaultschemes",
};

class FixRunTest : public FixPageTest {
 protected:
  FixRunTest() { InstallFixer(); }

  // The FIXER files beside the program, as the build installs them.
  void InstallFixer() {
    files_.files.clear();
    std::vector<std::string> scripts = kEveryRepair;
    for (const char* v : {"XP", "Vista", "8"})
      scripts.push_back(std::string("Explorer\\FolderOptions_") + v + ".fix");
    for (std::string s : scripts) {
      if (s.rfind("cmd:", 0) == 0) continue;
      if (s.rfind("bat:", 0) == 0) s = s.substr(4);
      files_.files[files_.folder + "FIXER\\" + s] = {};
    }
  }

  std::vector<std::string> Expected(const std::vector<std::string>& repairs) const {
    std::vector<std::string> lines;
    for (const std::string& r : repairs) {
      if (r.rfind("bat:", 0) == 0) {
        lines.push_back(Batch(r.substr(4)));
      } else if (r.rfind("cmd:", 0) == 0) {
        lines.push_back(r.substr(4));
      } else {
        lines.push_back(Import(r));
      }
    }
    return lines;
  }

  void TickAll() {
    for (const std::string& box : PageBoxes()) page_.checked[box] = true;
  }

  bool HasValue(RegistryRoot root, const std::string& key, const std::string& name) const {
    return registry_.FindValue(root, key, name) != nullptr;
  }

  std::string StringValue(RegistryRoot root, const std::string& key,
                          const std::string& name) const {
    const MemoryRegistry::Value* v = registry_.FindValue(root, key, name);
    if (v == nullptr || v->type != regtype::kSz) return "<missing>";
    return TextOfStringData(v->data);
  }

  std::int32_t DwordValue(RegistryRoot root, const std::string& key,
                          const std::string& name) const {
    const MemoryRegistry::Value* v = registry_.FindValue(root, key, name);
    if (v == nullptr || v->type != regtype::kDword || v->data.size() != 4) return -1;
    return v->data[0] | (v->data[1] << 8) | (v->data[2] << 16) | (v->data[3] << 24);
  }

  // State a damaged system might be in, for the direct registry repairs.
  void Damage() {
    WriteDwordUser(kPolicySystem, "DisableRegistryTools", 1);
    WriteDwordUser(kPolicySystem, "DisableTaskMgr", 1);
    EnsureKey(RegistryRoot::LocalMachine, std::string(kRegeditDebugger) + "\\Nested");
    WriteStringUser(kTrayNotify, "IconStreams", "x");
    WriteStringUser(kTrayNotify, "PastIconStream", "y");
    WriteStringUser(kTrayNotify, "PromotedIconCache", "kept");
  }
};

TEST_F(FixRunTest, EveryBoxTickedStartsEveryRepairInRunOrder) {
  Damage();
  TickAll();
  Button8Click(page_);

  EXPECT_EQ(processes_.CommandLines(), Expected(kEveryRepair));
  EXPECT_EQ(processes_.calls.size(), 60u);
  for (const auto& call : processes_.calls) {
    EXPECT_EQ(call.kind, "WinExec") << call.commandLine;
    EXPECT_EQ(call.show, kSwShowNormal) << call.commandLine;
  }
  // The direct registry repairs.
  EXPECT_EQ(DwordValue(RegistryRoot::CurrentUser, kPolicySystem, "DisableRegistryTools"), 0);
  EXPECT_FALSE(registry_.KeyExists(RegistryRoot::LocalMachine, kRegeditDebugger));
  EXPECT_EQ(DwordValue(RegistryRoot::CurrentUser, kPolicySystem, "DisableTaskMgr"), 0);
  EXPECT_EQ(StringValue(RegistryRoot::ClassesRoot, kNewHandler, ""),
            "{D969A300-E7FF-11d0-A93B-00A0C90F2719}");
  EXPECT_FALSE(HasValue(RegistryRoot::CurrentUser, kTrayNotify, "IconStreams"));
  EXPECT_FALSE(HasValue(RegistryRoot::CurrentUser, kTrayNotify, "PastIconStream"));
  EXPECT_TRUE(HasValue(RegistryRoot::CurrentUser, kTrayNotify, "PromotedIconCache"));
  // The run leaves the page as it was.
  EXPECT_EQ(TickedBoxes().size(), 62u);
}

// The registry editor and the command interpreter are started as the system
// wants them for registry work (under WOW64 the 64-bit ones); other commands
// as they are.
TEST_F(FixRunTest, ScriptsAndBatchFilesStartThroughTheRegistryToolsOfTheSystem) {
  processes_.systemToolMark = "native:";
  TickAll();
  Button8Click(page_);
  ASSERT_EQ(processes_.calls.size(), 60u);
  for (const std::string& line : processes_.CommandLines()) {
    const bool script = line.find("\\FIXER\\") != std::string::npos;
    EXPECT_EQ(line.rfind("native:", 0) == 0, script) << line;
  }
}

TEST_F(FixRunTest, AfterUncheckAllTheRegistryEditorAndCommandPromptRepairsStillRun) {
  Damage();
  Button6Click(page_);
  Button7Click(page_);
  Button8Click(page_);
  EXPECT_EQ(processes_.CommandLines(), Expected({"SysTools\\Enable_CMD.fix"}));
  EXPECT_EQ(DwordValue(RegistryRoot::CurrentUser, kPolicySystem, "DisableRegistryTools"), 0);
  EXPECT_FALSE(registry_.KeyExists(RegistryRoot::LocalMachine, kRegeditDebugger));
  // Untouched without their boxes.
  EXPECT_EQ(DwordValue(RegistryRoot::CurrentUser, kPolicySystem, "DisableTaskMgr"), 1);
  EXPECT_TRUE(HasValue(RegistryRoot::CurrentUser, kTrayNotify, "IconStreams"));
}

TEST_F(FixRunTest, FolderOptionsScriptFollowsTheComboBox) {
  struct Case {
    int index;
    std::vector<std::string> started;
  };
  const Case cases[] = {
      {-1, {}},
      {0, {"Explorer\\FolderOptions_XP.fix"}},
      {1, {"Explorer\\FolderOptions_Vista.fix"}},
      {2, {"Explorer\\FolderOptions_7.fix"}},
      {3, {"Explorer\\FolderOptions_8.fix"}},
  };
  page_.checked["chkCmd"] = false;  // only the folder-options repair is of interest
  page_.checked["chkFO"] = true;
  for (const Case& c : cases) {
    processes_.calls.clear();
    page_.itemIndex["cmbFO"] = c.index;
    Button8Click(page_);
    EXPECT_EQ(processes_.CommandLines(), Expected(c.started)) << "index " << c.index;
  }
}

// The boxes a run tests, in the order it tests them: System Tools, Explorer,
// File Associations, Services, Networking, Misc. chkDRE, chkURL and the hidden
// chkExpFrame are never read.
const std::vector<std::string> kTestedBoxes = {
    "chkSnip",     "chkCmd",     "chkDTM",        "chkDevmgr",    "chkDClick",    "chkDetailsTab",
    "chkRBIcons",  "chkNew",     "chkTray",       "chkMenuDelay", "chkFO",        "chkLibrary",
    "chkCDVD",     "chkBAT",     "chkBMP",        "chkCPL",       "chkDLL",       "chkEXE",
    "chkGIF",      "chkHTM",     "chkHTML",       "chkICO",       "chkINI",       "chkINF",
    "chkJPE",      "chkJPEG",    "chkJPG",        "chkJS",        "chkJSE",       "chkLNK",
    "chkLOG",      "chkMSC",     "chkMSI2",       "chkPNG",       "chkREG",       "chkSCR",
    "chkTXT",      "chkTTF",     "chkVBS",        "chkZIP",       "chkDirectory", "chkDrive",
    "chkFolder",   "chkMSI1719", "chkBFE",        "chkBITS",      "chkSpooler",   "chkMpsdrv",
    "chkMpsSvc",   "chkMSI",     "chkWindefend",  "chkWSearch",   "chkWscsvc",    "chkResetNet",
    "chkFlushDNS", "chkOW",      "chkMouseHiber", "chkAWinDef",   "chkCDDVDnr",   "chkPower",
};

TEST_F(FixRunTest, TestsTheBoxesInRunOrderAndRepairsTheRegistryEditorWhateverChkDREShows) {
  Damage();
  page_.checked["chkDRE"] = false;
  page_.checked["chkURL"] = true;
  page_.checked["chkExpFrame"] = true;
  page_.checked["chkFO"] = true;
  Button8Click(page_);

  std::vector<std::string> expected = kTestedBoxes;
  expected.insert(std::find(expected.begin(), expected.end(), "chkFO") + 1, "cmbFO");
  EXPECT_EQ(page_.reads, expected);
  EXPECT_EQ(kTestedBoxes.size(), 60u);
  EXPECT_EQ(DwordValue(RegistryRoot::CurrentUser, kPolicySystem, "DisableRegistryTools"), 0);
  EXPECT_FALSE(registry_.KeyExists(RegistryRoot::LocalMachine, kRegeditDebugger));
}

TEST_F(FixRunTest, BoxesWithoutARepairStartNothing) {
  page_.checked["chkCmd"] = false;
  page_.checked["chkURL"] = true;
  page_.checked["chkExpFrame"] = true;
  Button8Click(page_);
  EXPECT_TRUE(processes_.calls.empty());
  // Only the registry-editor repair wrote anything.
  EXPECT_EQ(registry_.Values(RegistryRoot::CurrentUser, kPolicySystem).size(), 1u);
  EXPECT_FALSE(registry_.KeyExists(RegistryRoot::ClassesRoot, ".url"));
}

TEST_F(FixRunTest, EachPressIsANewRun) {
  page_.checked["chkFlushDNS"] = true;
  Button8Click(page_);
  Button8Click(page_);
  std::vector<std::string> once =
      Expected({"SysTools\\Enable_CMD.fix", "bat:Networking\\FlushDNS.bat"});
  std::vector<std::string> twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(processes_.CommandLines(), twice);
}

TEST_F(FixRunTest, ProgramFolderIsQuotedWhateverItHolds) {
  const std::string folders[] = {
      "C:\\Velotune\\",
      "C:\\Program Files\\My Tools\\Velotune 2\\",
      "\\\\server\\share name\\tools\\",
  };
  page_.checked["chkResetNet"] = true;
  for (const std::string& folder : folders) {
    processes_.calls.clear();
    files_.folder = folder;
    InstallFixer();
    Button8Click(page_);
    EXPECT_EQ(processes_.CommandLines(),
              (std::vector<std::string>{
                  "regedit.exe /s \"" + folder + "FIXER\\SysTools\\Enable_CMD.fix\"",
                  "cmd.exe /c \"" + folder + "FIXER\\Networking\\ResetNetwork.bat\""}));
  }
}

TEST_F(FixRunTest, MissingScriptsAreSkippedAndNamedAfterTheRun) {
  TickAll();
  files_.files.erase(files_.folder + "FIXER\\Explorer\\FolderOptions_7.fix");
  files_.files.erase(files_.folder + "FIXER\\Networking\\FlushDNS.bat");
  try {
    Button8Click(page_);
    FAIL() << "missing scripts went unreported";
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()),
              "Some repairs could not be started:\r\n"
              "Missing C:\\Program Files\\Velotune\\FIXER\\Explorer\\FolderOptions_7.fix\r\n"
              "Missing C:\\Program Files\\Velotune\\FIXER\\Networking\\FlushDNS.bat");
  }
  // Everything else was still started, in order.
  std::vector<std::string> rest;
  for (const std::string& r : kEveryRepair)
    if (r != "Explorer\\FolderOptions_7.fix" && r != "bat:Networking\\FlushDNS.bat")
      rest.push_back(r);
  EXPECT_EQ(processes_.CommandLines(), Expected(rest));
}

// Every repair misses its script then: the box says so in one line.
// However many scripts are missing, the box names ten and counts the rest.
TEST_F(FixRunTest, ManyMissingScriptsAreNamedTenThenCounted) {
  TickAll();
  std::vector<std::string> missing;
  for (auto it = files_.files.begin(); it != files_.files.end();) {
    if (it->first.find("\\FileAssoc\\") != std::string::npos) {
      missing.push_back(it->first);
      it = files_.files.erase(it);
    } else {
      ++it;
    }
  }
  ASSERT_GT(missing.size(), 20u);
  try {
    Button8Click(page_);
    FAIL() << "missing scripts went unreported";
  } catch (const Exception& e) {
    const std::string text = e.what();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 11) << text;
    EXPECT_EQ(text.substr(text.rfind('\n') + 1),
              "and " + std::to_string(missing.size() - 10) + " more");
    EXPECT_NE(text.find("Missing " + files_.folder + "FIXER\\FileAssoc\\w7-library-fix.fix"),
              std::string::npos)
        << text;
  }
}

TEST_F(FixRunTest, WithoutTheFixerFolderOnlyTheDirectRepairsHappen) {
  files_.files.clear();
  TickAll();
  Damage();
  try {
    Button8Click(page_);
    FAIL() << "the missing folder went unreported";
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()),
              "Some repairs could not be started:\r\n"
              "Missing folder C:\\Program Files\\Velotune\\FIXER");
  }
  EXPECT_EQ(processes_.CommandLines(), Expected({"cmd:powercfg -restoredefaultschemes"}));
  EXPECT_EQ(DwordValue(RegistryRoot::CurrentUser, kPolicySystem, "DisableTaskMgr"), 0);
  EXPECT_FALSE(HasValue(RegistryRoot::CurrentUser, kTrayNotify, "IconStreams"));
}

TEST_F(FixRunTest, RepairsTheSystemWouldNotStartAreNamedAfterTheRun) {
  page_.checked["chkPower"] = true;
  page_.checked["chkMenuDelay"] = true;
  processes_.refused = {"powercfg -restoredefaultschemes", Import("SysTools\\Enable_CMD.fix")};
  try {
    Button8Click(page_);
    FAIL() << "refused starts went unreported";
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()),
              "Some repairs could not be started:\r\n"
              "Cannot run " +
                  Import("SysTools\\Enable_CMD.fix") +
                  " (error 2)\r\n"
                  "Cannot run powercfg -restoredefaultschemes (error 2)");
  }
  EXPECT_EQ(processes_.CommandLines(),
            Expected({"SysTools\\Enable_CMD.fix", "Explorer\\Default_MenuShowDelay.fix",
                      "cmd:powercfg -restoredefaultschemes"}));
}

// Without administrative rights the machine hive refuses everything: the
// debugger redirection stays, silently, and every repair is still started.
// A missing tray key is no error either.
TEST_F(FixRunTest, RefusedMachineHiveAndMissingTrayKeyGoUnnoticed) {
  TickAll();
  WriteDwordUser(kPolicySystem, "DisableRegistryTools", 1);
  EnsureKey(RegistryRoot::LocalMachine, kRegeditDebugger);
  registry_.Deny(RegistryRoot::LocalMachine);
  EXPECT_NO_THROW(Button8Click(page_));
  EXPECT_EQ(processes_.CommandLines(), Expected(kEveryRepair));
  EXPECT_EQ(DwordValue(RegistryRoot::CurrentUser, kPolicySystem, "DisableRegistryTools"), 0);
  EXPECT_FALSE(registry_.KeyExists(RegistryRoot::CurrentUser, kTrayNotify));
  registry_.AllowAll();
  EXPECT_TRUE(registry_.KeyExists(RegistryRoot::LocalMachine, kRegeditDebugger));
}

TEST_F(FixRunTest, RefusedPolicyWriteInTheFirstStepStartsNothing) {
  TickAll();
  registry_.Deny(RegistryRoot::CurrentUser);
  EnsureKey(RegistryRoot::LocalMachine, kRegeditDebugger);
  try {
    Button8Click(page_);
    FAIL() << "the run went on without the policy write";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(std::string(e.what()),
              "Failed to create key Software\\Microsoft\\Windows\\CurrentVersion\\Policies");
  }
  EXPECT_TRUE(processes_.calls.empty());
  EXPECT_TRUE(registry_.KeyExists(RegistryRoot::LocalMachine, kRegeditDebugger));
  EXPECT_FALSE(registry_.KeyExists(RegistryRoot::ClassesRoot, "Directory"));
}

TEST_F(FixRunTest, RefusedClassesRootStopsTheRunAtTheNewMenuRepair) {
  TickAll();
  registry_.Deny(RegistryRoot::ClassesRoot);
  try {
    Button8Click(page_);
    FAIL() << "the run went on past the new-menu repair";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(std::string(e.what()), "Failed to create key Directory\\Background");
  }
  // The boxes before it were processed, its own script and everything after
  // were not.
  EXPECT_EQ(processes_.CommandLines(),
            Expected({"SysTools\\w7-snippingtool-fix.fix", "SysTools\\Enable_CMD.fix",
                      "SysTools\\devmgr-snapin.fix", "Explorer\\doubleclick.fix",
                      "Explorer\\w7-details-tab.fix", "Explorer\\rbemptyfull.fix"}));
  EXPECT_EQ(DwordValue(RegistryRoot::CurrentUser, kPolicySystem, "DisableTaskMgr"), 0);
  // A new run can start once the registry allows it.
  registry_.AllowAll();
  processes_.calls.clear();
  Button8Click(page_);
  EXPECT_EQ(processes_.calls.size(), 60u);
}

TEST_F(FixRunTest, RefusedNewMenuKeyStopsBeforeItsScript) {
  page_.checked["chkNew"] = true;
  page_.checked["chkTray"] = true;
  EnsureKey(RegistryRoot::ClassesRoot, kNewHandler);
  registry_.Deny(RegistryRoot::ClassesRoot, kNewHandler);
  WriteStringUser(kTrayNotify, "IconStreams", "x");
  try {
    Button8Click(page_);
    FAIL() << "the refused key went unnoticed";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(std::string(e.what()), std::string("Failed to create key ") + kNewHandler);
  }
  EXPECT_EQ(processes_.CommandLines(), Expected({"SysTools\\Enable_CMD.fix"}));
  EXPECT_TRUE(HasValue(RegistryRoot::CurrentUser, kTrayNotify, "IconStreams"));
}

}  // namespace
}  // namespace velotune
