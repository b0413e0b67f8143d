// velotune.exe under Wine: the saves read the controls of pages never shown
// (whose windows are not made yet) as they read them once every page has
// been shown. The page-1 save and 1-Click Tweak are pressed right after
// start; the registry they leave is taken, put back from the backups they
// wrote, and the same presses after a visit of every page must leave the
// same registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/reg_script.h"
#include "platform/registry_values.h"
#include "platform/win32_registry.h"
#include "program_driver.h"
#include "support/backup_files.h"

namespace velotune {
namespace {

// What a backup says the action touches: keys it made (restored by deleting
// them) and values of keys that were there.
struct Touched {
  std::set<std::string> madeKeys;
  std::set<std::pair<std::string, std::string>> values;
};

void AddTouched(const std::string& script, Touched* touched) {
  std::string key;
  for (const ScriptEntry& entry : ParseRegScript(script).entries) {
    switch (entry.kind) {
      case ScriptEntry::Kind::kDeleteKey:
        touched->madeKeys.insert(FullKeyName(entry.root, entry.path));
        break;
      case ScriptEntry::Kind::kKey:
        key = FullKeyName(entry.root, entry.path);
        break;
      default:
        touched->values.insert({key, entry.name});
        break;
    }
  }
}

// A value's entry in a snapshot; key names in any letter case are the same.
std::string Entry(const std::string& key, const std::string& name) {
  std::string entry = key + " [" + name + "]";
  std::transform(entry.begin(), entry.end(), entry.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return entry;
}

bool SplitKey(const std::string& full, RegistryRoot* root, std::string* path) {
  const std::size_t cut = full.find('\\');
  *path = cut == std::string::npos ? "" : full.substr(cut + 1);
  return ParseRootName(full.substr(0, cut), root);
}

// Everything the backups name, as it stands now: each value's data (or its
// absence) and each made key's whole tree.
std::map<std::string, std::string> Snapshot(RegistryBackend& registry, const Touched& touched) {
  std::map<std::string, std::string> now;
  RegistryRoot root;
  std::string path;
  for (const auto& value : touched.values) {
    if (!SplitKey(value.first, &root, &path)) continue;
    RegValue read;
    now[Entry(value.first, value.second)] =
        ValueAt(registry, root, path, value.second, &read) ? ScriptData(read) : "missing";
  }
  for (const std::string& key : touched.madeKeys) {
    if (!SplitKey(key, &root, &path)) continue;
    std::vector<std::string> tree;
    AppendKeyTree(registry, root, path, &tree);
    std::string text;
    for (const std::string& line : tree) text += line + "\n";
    now[Entry(key, "")] = tree.empty() ? "missing" : text;
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
      if (!before.count(name)) made.push_back(BackupFolder() + name);
    return made;
  }

  ProgramDriver app_;
  HWND main_ = nullptr;
  Win32Registry registry_;
};

// Values of all three pages, set to what no save writes, so that putting
// the registry back shows.
const struct {
  const char* key;
  const char* name;
} kSentinels[] = {
    {"HKEY_CURRENT_USER\\Control Panel\\Desktop", "WaitToKillAppTimeOut"},
    {"HKEY_CURRENT_USER\\Software\\DownloadManager", "ConnectionType"},
    {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "LogonType"},
};
const char kSentinelText[] = "Kein Wert \u00fcbrig \"\u00e9t\u00e9\" \u65e5\u672c";

void SetSentinels(RegistryBackend& registry) {
  for (const auto& sentinel : kSentinels) {
    RegistryRoot root;
    std::string path;
    ASSERT_TRUE(SplitKey(sentinel.key, &root, &path));
    RegKey key = 0;
    ASSERT_EQ(registry.CreateKeyEx(RootKey(root), path, kKeyAllAccess, &key), regerr::kSuccess);
    EXPECT_EQ(registry.SetValueEx(key, sentinel.name, regtype::kExpandSz,
                                  reinterpret_cast<const std::uint8_t*>(kSentinelText),
                                  sizeof kSentinelText),
              regerr::kSuccess);
    registry.CloseKey(key);
  }
}

std::string SentinelData() {
  RegValue sentinel;
  sentinel.type = regtype::kExpandSz;
  sentinel.data.assign(kSentinelText, kSentinelText + sizeof kSentinelText);
  return ScriptData(sentinel);
}

TEST_F(LatePagesEndToEnd, SavesBeforeAnyOtherPageWasShownWriteWhatTheyWriteAfter) {
  // Only the first page's controls have windows: one save button of three.
  EXPECT_EQ(ProgramDriver::Find(main_, "Button", "&Save Changes").size(), 1u);
  EXPECT_TRUE(ProgramDriver::Find(main_, "Button", "Speed Up My Windows").empty());
  SetSentinels(registry_);

  const std::vector<std::string> backups = PressSaveAndOneClick();
  ASSERT_EQ(backups.size(), 2u);
  Touched touched;
  for (const std::string& backup : backups) AddTouched(FileBytes(backup), &touched);
  EXPECT_GT(touched.values.size() + touched.madeKeys.size(), 100u);
  const std::map<std::string, std::string> unseen = Snapshot(registry_, touched);

  // Every page's rows: the first page's timeout, the second's download
  // manager and the third's logon type.
  for (const auto& sentinel : kSentinels) {
    const auto written = unseen.find(Entry(sentinel.key, sentinel.name));
    if (written == unseen.end())
      ADD_FAILURE() << sentinel.key << " [" << sentinel.name << "] not in the backups";
    else
      EXPECT_NE(written->second, SentinelData()) << sentinel.key << " [" << sentinel.name << "]";
  }

  // Back to the registry as it was, the newest backup first.
  for (auto it = backups.rbegin(); it != backups.rend(); ++it)
    ImportRegScript(registry_, FileBytes(*it));
  const std::map<std::string, std::string> restored = Snapshot(registry_, touched);
  for (const auto& sentinel : kSentinels) {
    const auto back = restored.find(Entry(sentinel.key, sentinel.name));
    if (back != restored.end()) {
      EXPECT_EQ(back->second, SentinelData()) << sentinel.name;
    }
  }

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
