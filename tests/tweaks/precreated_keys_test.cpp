// The keys that the page-1 and page-2 saves create before their first row,
// as a recording registry sees them: every path exactly as passed, its root,
// the order, and each new handle closed at once.
#include "tweaks/page_actions.h"
#include "tweaks/tweak_fixture.h"

namespace velotune {
namespace {

const char* const kUserKeys[] = {
    "Control Panel",
    "Control Panel\\Mouse",
    "Control Panel\\Desktop",
    "Control Panel\\Desktop\\WindowMetrics",
    "Software\\Microsoft\\Windows\\CurrentVersion",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Applets",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Hearts",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\CleanupWiz",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\ClassicStartMenu",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\NewStartPanel",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\WinOldApp",
};

const char* const kMachineKeys[] = {
    "System",
    "System\\CurrentControlSet",
    "System\\CurrentControlSet\\Control",
    "System\\CurrentControlSet\\Control\\Update",
    "System\\CurrentControlSet\\Control\\ShutDown",
    "System\\CurrentControlSet\\Control\\ShutDown\\ExclusionList",
    "System\\ControlSet001",
    "System\\ControlSet001\\Control",
    "System\\CurrentControlSet\\Control\\Class\\",
    "System\\CurrentControlSet\\Control\\Class\\{36FC9E60-C465-11CF-8056-444553540000}",
    "System\\CurrentControlSet\\Control\\Class\\{36FC9E60-C465-11CF-8056-444553540000}\\0000",
    "System\\ControlSet001\\Control\\Session Manager",
    "System\\ControlSet001\\Control\\Session Manager\\Memory Management",
    "System\\ControlSet001\\Control\\Session Manager\\Memory Management\\PrefetchParameters",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
    "Software\\Microsoft\\Windows\\CurrentVersion",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons",
    "Software\\Microsoft\\Windows NT",
    "Software\\Microsoft\\Windows NT\\CurrentVersion",
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows",
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
    "SOFTWARE\\Microsoft\\Dfrg",
    "SOFTWARE\\Microsoft\\Dfrg\\BootOptimizeFunction",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\NameSpace",
};

// Each key created with full access and its handle closed before the next;
// the trailing backslash of the class key reaches the registry, while the
// close names the key it opened.
Log PreCreation() {
  Log expected;
  auto add = [&expected](const std::string& root, const std::string& key) {
    expected.push_back("create " + root + "\\" + key);
    std::string opened = key;
    if (opened.back() == '\\') opened.pop_back();
    expected.push_back("close " + root + "\\" + opened);
  };
  for (const char* key : kUserKeys) add("HKCU", key);
  for (const char* key : kMachineKeys) add("HKLM", key);
  return expected;
}

using PreCreatedKeys = TweakTest;

TEST_F(PreCreatedKeys, BothSavesCreateEveryKeyInOrderBeforeTheirFirstRow) {
  registry.logKeys = true;
  const Log expected = PreCreation();
  ASSERT_EQ(expected.size(), 2u * (21 + 29));
  for (auto save : {&Save2Click, &Save1Click}) {
    log.clear();
    save(states);
    ASSERT_GT(log.size(), expected.size());
    EXPECT_EQ(Log(log.begin(), log.begin() + expected.size()), expected);
  }
}

// The first key that cannot be created ends the save before any row.
TEST_F(PreCreatedKeys, ARefusedMachineKeyStopsTheSaveBeforeItsRows) {
  memory.Deny(RegistryRoot::LocalMachine);
  registry.logKeys = true;
  EXPECT_THROW(Save2Click(states), ERegistryException);
  Log expected = PreCreation();
  expected.resize(2 * 21 + 1);  // the user list, then the first machine key's attempt
  EXPECT_EQ(log, expected);
}

}  // namespace
}  // namespace velotune
