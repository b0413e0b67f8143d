#include "app/app_registry.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "platform/memory_registry.h"
#include "platform/registry_names.h"
#include "platform/seams.h"

namespace velotune {
namespace {

std::string StringValue(const MemoryRegistry& registry, const std::string& key,
                        const std::string& name) {
  const MemoryRegistry::Value* value = registry.FindValue(RegistryRoot::CurrentUser, key, name);
  if (!value) return "<missing>";
  EXPECT_EQ(value->type, regtype::kSz);
  const std::string text = TextOfStringData(value->data);
  // Stored in UTF-16 with its terminating zero.
  EXPECT_EQ(value->data, StringData(text));
  return text;
}

void StoreRaw(MemoryRegistry& registry, const std::string& key, const std::string& name,
              std::uint32_t type, const std::string& bytes) {
  RegKey handle = 0;
  ASSERT_EQ(registry.CreateKeyEx(RootKey(RegistryRoot::CurrentUser), key, kKeyAllAccess, &handle),
            regerr::kSuccess);
  registry.SetValueEx(handle, name, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                      static_cast<std::uint32_t>(bytes.size()));
  registry.CloseKey(handle);
}

TEST(AppRegistry, RecordsTheProgramPathAtEveryStart) {
  MemoryRegistry registry;
  ScopedSeams seams(&registry);
  RecordProgramPath("C:\\Tools\\velotune.exe");
  EXPECT_EQ(StringValue(registry, "Zolex", "01"), "C:\\Tools\\velotune.exe");
  RecordProgramPath("D:\\velotune.exe");
  EXPECT_EQ(StringValue(registry, "Zolex", "01"), "D:\\velotune.exe");
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST(AppRegistry, CreateRegKeyFailureRaisesTheRegistrationError) {
  MemoryRegistry registry;
  ScopedSeams seams(&registry);
  registry.Deny(RegistryRoot::CurrentUser, "Zolex");
  try {
    RecordProgramPath("C:\\velotune.exe");
    FAIL() << "no error";
  } catch (const EOleRegistrationError& e) {
    EXPECT_STREQ(e.what(), "Error creating system registry entry");
  }
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

struct StartCase {
  const char* stored;  // nullptr: no value
  bool opens;
};

TEST(AppRegistry, DonateOpensAtStartForOneOrNothingStored) {
  const StartCase cases[] = {
      {nullptr, true}, {"", true}, {"1", true}, {"0", false}, {"yes", false}, {"11", false},
  };
  for (const StartCase& c : cases) {
    SCOPED_TRACE(c.stored ? c.stored : "(none)");
    MemoryRegistry registry;
    ScopedSeams seams(&registry);
    if (c.stored)
      StoreRaw(registry, "Zolex\\Support", "01", regtype::kSz, std::string(c.stored) + '\0');
    EXPECT_EQ(DonateWantedAtStart(), c.opens);
    EXPECT_EQ(DonateBoxTicked(1), c.opens);
    EXPECT_FALSE(registry.KeyExists(RegistryRoot::CurrentUser, "Zolex\\Support") && !c.stored)
        << "reading must not create the key";
  }
}

TEST(AppRegistry, ANumberStoredAsTheChoiceIsAnError) {
  MemoryRegistry registry;
  ScopedSeams seams(&registry);
  StoreRaw(registry, "Zolex\\Support", "01", regtype::kDword, std::string("\x01\0\0\0", 4));
  try {
    DonateWantedAtStart();
    FAIL() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for '01'");
  }
}

TEST(AppRegistry, ClosingTheDialogStoresTheTick) {
  MemoryRegistry registry;
  ScopedSeams seams(&registry);
  StoreDonateChoice(1, true);
  EXPECT_EQ(StringValue(registry, "Zolex\\Support", "01"), "1");
  StoreDonateChoice(1, false);
  EXPECT_EQ(StringValue(registry, "Zolex\\Support", "01"), "0");
  EXPECT_FALSE(DonateWantedAtStart());
  StoreDonateChoice(12, true);
  EXPECT_EQ(StringValue(registry, "Zolex\\Support", "12"), "1");
  // Product 0 stores nothing.
  StoreDonateChoice(0, false);
  EXPECT_EQ(registry.Values(RegistryRoot::CurrentUser, "Zolex\\Support").size(), 2u);
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST(AppRegistry, StoringFailsWithTheLayersError) {
  MemoryRegistry registry;
  ScopedSeams seams(&registry);
  registry.Deny(RegistryRoot::CurrentUser, "Zolex\\Support");
  EXPECT_THROW(StoreDonateChoice(1, true), Exception);
}

}  // namespace
}  // namespace velotune
