// What only the memory registry can do: refuse access on demand, so the
// layer's failure paths can be driven, and keep count of open handles.
#include "platform/memory_registry.h"

#include <gtest/gtest.h>

#include "platform/seams.h"
#include "registry/registry_message.h"
#include "tweaks/registry.h"

namespace velotune {
namespace {

class MemoryRegistryFailures : public ::testing::Test {
 protected:
  MemoryRegistry registry;
  ScopedSeams seams{&registry};
};

TEST_F(MemoryRegistryFailures, RefusedMachineRootStopsWriteDwordBothBeforeTheUserWrite) {
  registry.Deny(RegistryRoot::LocalMachine);
  EXPECT_EQ("Failed to set data for 'V'", MessageOf([] { WriteDwordBoth("Software\\X", "V", 1); }));
  EXPECT_FALSE(registry.KeyExists(RegistryRoot::CurrentUser, "Software\\X"));
  EXPECT_EQ(0u, registry.OpenHandleCount());
}

TEST_F(MemoryRegistryFailures, RefusedKeyCoversItsDescendantsOnly) {
  registry.Deny(RegistryRoot::CurrentUser, "Software\\Locked");
  EXPECT_EQ("Failed to set data for 'V'",
            MessageOf([] { WriteDwordUser("software\\LOCKED\\Deeper", "V", 1); }));
  EXPECT_EQ("Failed to create key Software\\Locked",
            MessageOf([] { EnsureKey(RegistryRoot::CurrentUser, "Software\\Locked"); }));
  WriteDwordUser("Software\\LockedNot", "V", 1);  // a sibling with a longer name
  EXPECT_NE(nullptr, registry.FindValue(RegistryRoot::CurrentUser, "Software\\LockedNot", "V"));
  EXPECT_TRUE(DeleteRegValue(RegistryRoot::CurrentUser, "Software\\Locked", "V"));
  registry.AllowAll();
  WriteDwordUser("Software\\Locked", "V", 1);
}

TEST_F(MemoryRegistryFailures, CRegKeyStopsAtTheFirstMachineKeyWhenHklmIsRefused) {
  registry.Deny(RegistryRoot::LocalMachine);
  EXPECT_EQ("Failed to create key System", MessageOf([] { CRegKey(RenewSharedRegistry()); }));
  // The whole user list came first.
  EXPECT_TRUE(
      registry.KeyExists(RegistryRoot::CurrentUser,
                         "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\WinOldApp"));
}

TEST_F(MemoryRegistryFailures, FailedDataReadRaisesTheGetDataMessage) {
  WriteStringUser("Software\\X", "S", "text");
  registry.FailDataReads(true);
  EXPECT_EQ("Failed to get data for 'S'", MessageOf([] { ReadStringUser("Software\\X", "S"); }));
}

TEST_F(MemoryRegistryFailures, EveryOperationClosesWhatItOpened) {
  WriteDwordBoth("K", "a", 1);
  WriteStringUsers("K", "b", "x");
  WriteDwordUsers("K", "c", 2);
  WriteStringClasses("K", "", "d");
  ReadStringUser("K", "a2");
  SetSystemPolicy(0, 1);
  EnsureKey(RegistryRoot::Users, "K\\L\\M");
  DeleteRegKey(RegistryRoot::Users, "K");
  DeleteRegValue(RegistryRoot::CurrentUser, "K", "a");
  CRegKey(RenewSharedRegistry());
  EXPECT_EQ(0u, registry.OpenHandleCount());
  EXPECT_FALSE(registry.KeyExists(RegistryRoot::Users, "K"));
  EXPECT_NE(nullptr, registry.FindValue(RegistryRoot::ClassesRoot, "K", ""));
}

TEST(MemoryRegistry, HandlesToADeletedKeyReportItDeleted) {
  MemoryRegistry r;
  RegKey key = 0, child = 0;
  ASSERT_EQ(0, r.CreateKeyEx(RootKey(RegistryRoot::CurrentUser), "A\\B", kKeyAllAccess, &child));
  ASSERT_EQ(0, r.OpenKeyEx(RootKey(RegistryRoot::CurrentUser), "A", kKeyAllAccess, &key));
  ASSERT_EQ(0, r.DeleteKey(key, "B"));
  const std::uint8_t one[4] = {1, 0, 0, 0};
  EXPECT_EQ(regerr::kKeyDeleted, r.SetValueEx(child, "v", regtype::kDword, one, 4));
  EXPECT_EQ(0, r.CloseKey(child));
  EXPECT_EQ(regerr::kInvalidHandle, r.CloseKey(child));
  EXPECT_EQ(0, r.CloseKey(key));
}

TEST(MemoryRegistry, KeyPathsFollowTheRegistrysRules) {
  std::vector<std::string> names;
  struct Case {
    const char* path;
    bool valid;
    std::size_t count;
  } cases[] = {{"", true, 0},     {"A", true, 1},       {"A\\B", true, 2},     {"A\\B\\", true, 2},
               {"\\A", false, 0}, {"A\\\\B", false, 0}, {"A\\B\\\\", false, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.valid, SplitKeyPath(c.path, &names)) << c.path;
    if (c.valid) {
      EXPECT_EQ(c.count, names.size()) << c.path;
    }
  }
}

}  // namespace
}  // namespace velotune
