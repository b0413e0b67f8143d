// velotune.exe under Wine: the saves read the controls of pages never shown
// (whose windows are not made yet) as they read them once every page has
// been shown. The page-1 save and 1-Click Tweak are pressed right after
// start; the registry they leave is taken, put back from the backups they
// wrote, and the same presses after a visit of every page must leave the
// same registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/reg_script.h"
#include "platform/registry_values.h"
#include "platform/text_case.h"
#include "platform/win32_registry.h"
#include "program_driver.h"
#include "support/backup_files.h"

namespace velotune {
namespace {

// A value, or (without a name) a whole key, that a backup puts back.
struct Place {
  RegistryRoot root;
  std::string path;
  bool wholeKey;
  std::string name;
  // As a snapshot names it: key names in any letter case are the same.
  std::string Entry() const {
    return LowerText(FullKeyName(root, path)) + (wholeKey ? "" : " [" + name + "]");
  }
};

// What a backup puts back: keys the action made, which it deletes, and the
// values of keys that were there.
void AddTouched(const std::string& script, std::vector<Place>* touched) {
  const ScriptEntry* key = nullptr;
  for (const ScriptEntry& entry : ParseRegScript(script).entries) {
    if (entry.kind == ScriptEntry::Kind::kDeleteKey)
      touched->push_back({entry.root, entry.path, true, ""});
    else if (entry.kind == ScriptEntry::Kind::kKey)
      key = &entry;
    else if (key)
      touched->push_back({key->root, key->path, false, entry.name});
  }
}

// Each place as it stands now: a value's data or its absence, a key's tree.
std::map<std::string, std::string> Snapshot(RegistryBackend& registry,
                                            const std::vector<Place>& touched) {
  std::map<std::string, std::string> now;
  for (const Place& place : touched) {
    std::string& text = now[place.Entry()];
    RegValue value;
    std::vector<std::string> tree;
    if (place.wholeKey) AppendKeyTree(registry, place.root, place.path, &tree);
    if (!place.wholeKey && ValueAt(registry, place.root, place.path, place.name, &value))
      text = ScriptData(value);
    for (const std::string& line : tree) text += line + "\n";
    if (text.empty()) text = "missing";
  }
  return now;
}

class LatePagesEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    main_ = app_.StartToMainWindow(60000);
    ASSERT_NE(main_, nullptr) << "velotune.exe showed no main window within a minute";
    ASSERT_EQ(app_.TakeErrorBox(), "");
    ASSERT_TRUE(app_.WaitIdle(30000));
  }

  // Presses the page-1 save and 1-Click Tweak; returns the backups they
  // wrote, oldest first.
  std::vector<std::string> PressSaveAndOneClick() {
    const std::set<std::string> before = BackupNames();
    HWND save = nullptr;
    for (HWND button : ProgramDriver::Find(main_, "Button", "&Save Changes"))
      if (IsWindowVisible(button)) save = button;
    EXPECT_NE(save, nullptr) << "no visible save button";
    if (save) {
      EXPECT_EQ(app_.PressAndTakeErrorBox(save), "");
    }
    EXPECT_EQ(app_.PressAndTakeErrorBox(ProgramDriver::FindOne(main_, "Button", "1-Click Tweak")),
              "");
    std::vector<std::string> made;
    for (const std::string& name : BackupNames())
      if (!before.count(name)) made.push_back(MachineBackupFolder() + name);
    return made;
  }

  ProgramDriver app_;
  HWND main_ = nullptr;
  Win32Registry registry_;
};

// Values of all three pages (the first's timeout, the second's download
// manager, the third's logon type), set to what no save writes, so that
// putting the registry back shows.
const Place kSentinels[] = {
    {RegistryRoot::CurrentUser, "Control Panel\\Desktop", false, "WaitToKillAppTimeOut"},
    {RegistryRoot::CurrentUser, "Software\\DownloadManager", false, "ConnectionType"},
    {RegistryRoot::LocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", false,
     "LogonType"},
};
const char kSentinelText[] = "Kein Wert \u00fcbrig \"\u00e9t\u00e9\" \u65e5\u672c";

RegValue Sentinel() {
  RegValue sentinel;
  sentinel.type = regtype::kExpandSz;
  sentinel.data.assign(kSentinelText, kSentinelText + sizeof kSentinelText);
  return sentinel;
}

void SetSentinels(RegistryBackend& registry) {
  for (const Place& place : kSentinels) {
    RegKey key = 0;
    ASSERT_EQ(registry.CreateKeyEx(RootKey(place.root), place.path, kKeyAllAccess, &key),
              regerr::kSuccess);
    const RegValue sentinel = Sentinel();
    EXPECT_EQ(registry.SetValueEx(key, place.name, sentinel.type, sentinel.data.data(),
                                  static_cast<std::uint32_t>(sentinel.data.size())),
              regerr::kSuccess);
    registry.CloseKey(key);
  }
}

TEST_F(LatePagesEndToEnd, SavesBeforeAnyOtherPageWasShownWriteWhatTheyWriteAfter) {
  // Only the first page's controls have windows: one save button of three.
  EXPECT_EQ(ProgramDriver::Find(main_, "Button", "&Save Changes").size(), 1u);
  EXPECT_TRUE(ProgramDriver::Find(main_, "Button", "Speed Up My Windows").empty());
  SetSentinels(registry_);

  const std::vector<std::string> backups = PressSaveAndOneClick();
  ASSERT_EQ(backups.size(), 2u);
  std::vector<Place> touched;
  for (const std::string& backup : backups) AddTouched(FileBytes(backup), &touched);
  EXPECT_GT(touched.size(), 100u);
  std::map<std::string, std::string> unseen = Snapshot(registry_, touched);
  // Written, and put back by the backups, the newest first.
  const std::string sentinel = ScriptData(Sentinel());
  for (const Place& place : kSentinels) EXPECT_NE(unseen[place.Entry()], sentinel) << place.name;
  for (auto it = backups.rbegin(); it != backups.rend(); ++it)
    ImportRegScript(registry_, FileBytes(*it));
  std::map<std::string, std::string> restored = Snapshot(registry_, touched);
  for (const Place& place : kSentinels) EXPECT_EQ(restored[place.Entry()], sentinel) << place.name;

  app_.ShowEveryPage();
  EXPECT_EQ(ProgramDriver::Find(main_, "Button", "&Save Changes").size(), 3u);
  PressSaveAndOneClick();
  const std::map<std::string, std::string> seen = Snapshot(registry_, touched);
  int differing = 0;
  for (const auto& entry : seen) {
    const auto before = unseen.find(entry.first);
    if (before != unseen.end() && before->second == entry.second) continue;
    if (++differing <= 20)
      ADD_FAILURE() << entry.first << ": " << (before == unseen.end() ? "?" : before->second)
                    << " before the pages were shown, " << entry.second << " after";
  }
  EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace velotune
