// One suite for every registry backend: the memory registry must behave like
// the real one as far as the registry layer can tell. Each test works beneath
// its own key, deleted before and after.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "platform/registry_names.h"
#include "platform/registry_values.h"
#include "platform/seams.h"
#include "registry/backends.h"
#include "registry/registry_message.h"
#include "tweaks/registry.h"

namespace velotune {
namespace {

const char kTestKey[] = "Software\\VelotuneConformance";

class RegistryConformance : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    backend_ = MakeBackend(GetParam());
    seams_ = std::make_unique<ScopedSeams>(backend_.get());
    Clean();
  }
  void TearDown() override {
    Clean();
    seams_.reset();
  }
  void Clean() {
    for (RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine})
      DeleteRegKey(root, kTestKey);
  }
  std::string Key(const std::string& sub = "") const {
    return sub.empty() ? kTestKey : std::string(kTestKey) + "\\" + sub;
  }
  // Reads a value straight from the backend; false when it is missing.
  bool RawValue(RegistryRoot root, const std::string& path, const std::string& name,
                std::uint32_t* type, std::vector<std::uint8_t>* data) {
    RegKey key = 0;
    if (backend_->OpenKeyEx(RootKey(root), path, kKeyRead, &key) != regerr::kSuccess) return false;
    std::uint32_t size = 0;
    long rc = backend_->QueryValueEx(key, name, type, nullptr, &size);
    if (rc == regerr::kSuccess) {
      data->assign(size, 0xCC);
      rc = backend_->QueryValueEx(key, name, type, data->data(), &size);
    }
    backend_->CloseKey(key);
    return rc == regerr::kSuccess;
  }
  bool KeyExists(RegistryRoot root, const std::string& path) {
    RegKey key = 0;
    if (backend_->OpenKeyEx(RootKey(root), path, kKeyRead, &key) != regerr::kSuccess) return false;
    backend_->CloseKey(key);
    return true;
  }
  std::int32_t Dword(RegistryRoot root, const std::string& path, const std::string& name) {
    std::uint32_t type = 0xDEAD;
    std::vector<std::uint8_t> data;
    EXPECT_TRUE(RawValue(root, path, name, &type, &data)) << path << " " << name;
    EXPECT_EQ(regtype::kDword, type);
    EXPECT_EQ(4u, data.size());
    std::int32_t v = 0x5EA5E5;
    if (data.size() == 4) std::memcpy(&v, data.data(), 4);
    return v;
  }

  std::unique_ptr<RegistryBackend> backend_;
  std::unique_ptr<ScopedSeams> seams_;
};

TEST_P(RegistryConformance, BackendPrimitivesReturnTheRegistryErrorCodes) {
  RegistryBackend& b = *backend_;
  RegKey key = 0x5EA5E5;
  EXPECT_EQ(regerr::kFileNotFound,
            b.OpenKeyEx(RootKey(RegistryRoot::CurrentUser), Key("Missing"), kKeyAllAccess, &key));
  EXPECT_EQ(RegKey{0x5EA5E5}, key);  // untouched on failure
  ASSERT_EQ(regerr::kSuccess,
            b.CreateKeyEx(RootKey(RegistryRoot::CurrentUser), Key("A\\B"), kKeyAllAccess, &key));
  std::uint32_t type = 0xDEAD, size = 0xDEAD;
  EXPECT_EQ(regerr::kFileNotFound, b.QueryValueEx(key, "none", &type, nullptr, &size));
  // The system adds a NUL to string data that lacks one when the unit after
  // the data is NUL: a marker stops it reading past what is meant.
  const std::uint8_t abc[] = "abc\0\xEE\xEE";
  ASSERT_EQ(regerr::kSuccess, b.SetValueEx(key, "Text", regtype::kSz, abc, 4));
  EXPECT_EQ(regerr::kSuccess, b.QueryValueEx(key, "TEXT", &type, nullptr, &size));
  EXPECT_EQ(regtype::kSz, type);
  EXPECT_EQ(4u, size);
  std::uint8_t small[2] = {0xEE, 0xEE};
  size = 2;
  EXPECT_EQ(regerr::kMoreData, b.QueryValueEx(key, "Text", &type, small, &size));
  EXPECT_EQ(4u, size);
  EXPECT_EQ(regerr::kFileNotFound, b.DeleteValue(key, "none"));
  EXPECT_EQ(regerr::kSuccess, b.DeleteValue(key, "text"));
  b.CloseKey(key);

  // A key with sub-keys cannot be deleted in one call.
  RegKey parent = 0;
  ASSERT_EQ(regerr::kSuccess,
            b.OpenKeyEx(RootKey(RegistryRoot::CurrentUser), Key(), kKeyAllAccess, &parent));
  EXPECT_EQ(regerr::kAccessDenied, b.DeleteKey(parent, "A"));
  EXPECT_EQ(regerr::kFileNotFound, b.DeleteKey(parent, "Missing"));

  // Enumeration: sizes and the end of the list.
  ASSERT_EQ(regerr::kSuccess, b.CreateKeyEx(parent, "LongerName", kKeyAllAccess, &key));
  b.CloseKey(key);
  std::uint32_t count = 0, longest = 0;
  ASSERT_EQ(regerr::kSuccess, b.QueryInfoKey(parent, &count, &longest));
  EXPECT_EQ(2u, count);
  EXPECT_EQ(10u, longest);
  char name[32];
  std::uint32_t nameSize = 4;
  EXPECT_EQ(regerr::kMoreData, b.EnumKeyEx(parent, 1, name, &nameSize));
  nameSize = sizeof name;
  EXPECT_EQ(regerr::kNoMoreItems, b.EnumKeyEx(parent, 2, name, &nameSize));
  nameSize = sizeof name;
  ASSERT_EQ(regerr::kSuccess, b.EnumKeyEx(parent, 0, name, &nameSize));
  EXPECT_STREQ("A", name);
  EXPECT_EQ(1u, nameSize);
  b.CloseKey(parent);
}

TEST_P(RegistryConformance, ValuesEnumerateWithTheirNamesTypesAndData) {
  RegistryBackend& b = *backend_;
  RegKey key = 0;
  ASSERT_EQ(regerr::kSuccess,
            b.CreateKeyEx(RootKey(RegistryRoot::CurrentUser), Key("Values"), kKeyAllAccess, &key));
  const std::uint8_t text[] = "abc\0\xEE\xEE", bytes[] = {1, 2, 3};  // see the marker above
  ASSERT_EQ(regerr::kSuccess, b.SetValueEx(key, "Text", regtype::kSz, text, 4));
  ASSERT_EQ(regerr::kSuccess, b.SetValueEx(key, "", regtype::kBinary, bytes, 3));

  std::vector<RegValue> values = ReadValues(b, key);
  ASSERT_EQ(2u, values.size());
  const std::uint32_t textIndex = values[0].name == "Text" ? 0 : 1;  // the order is the backend's
  if (textIndex == 0) std::swap(values[0], values[1]);

  // Buffers too small for the name or the data, and the end of the list.
  char name[16];
  std::uint8_t data[16];
  std::uint32_t nameSize = 4, type = 0xDEAD, dataSize = sizeof data;
  EXPECT_EQ(regerr::kMoreData,
            b.EnumValue(key, textIndex, name, &nameSize, &type, data, &dataSize));
  nameSize = sizeof name;
  dataSize = 1;
  EXPECT_EQ(regerr::kMoreData,
            b.EnumValue(key, textIndex, name, &nameSize, &type, data, &dataSize));
  EXPECT_EQ(4u, dataSize);
  nameSize = sizeof name;
  dataSize = sizeof data;
  EXPECT_EQ(regerr::kNoMoreItems, b.EnumValue(key, 2, name, &nameSize, &type, data, &dataSize));
  b.CloseKey(key);

  EXPECT_EQ(regtype::kBinary, values[0].type);
  EXPECT_EQ(std::vector<std::uint8_t>({1, 2, 3}), values[0].data);
  EXPECT_EQ("Text", values[1].name);
  EXPECT_EQ(regtype::kSz, values[1].type);
  EXPECT_EQ(std::vector<std::uint8_t>({'a', 'b', 'c', 0}), values[1].data);
}

// Values looked at where a backend keeps them are the values it enumerates,
// in its order: after writes, a rewrite under another case, a deletion.
TEST_P(RegistryConformance, ListedValuesAreTheEnumeratedOnes) {
  RegistryBackend& b = *backend_;
  RegKey key = 0;
  ASSERT_EQ(regerr::kSuccess,
            b.CreateKeyEx(RootKey(RegistryRoot::CurrentUser), Key("Liste"), kKeyAllAccess, &key));
  auto expectListed = [&](const char* when, std::size_t count) {
    const std::vector<RegValue> read = ReadValues(b, key);
    const ListedValues listed(b, key);
    ASSERT_EQ(count, read.size()) << when;
    ASSERT_EQ(count, listed.All().size()) << when;
    for (std::size_t i = 0; i < count; ++i) {
      EXPECT_EQ(read[i].name, listed.All()[i].name) << when;
      EXPECT_EQ(read[i].type, listed.All()[i].type) << when;
      EXPECT_EQ(read[i].data, listed.All()[i].data) << when;
    }
  };
  const std::vector<std::uint8_t> text = StringData("Größe: 12 м²"), odd = {0xFE, 0xFF, 0x00};
  const std::uint8_t seven[4] = {7, 0, 0, 0};
  ASSERT_EQ(regerr::kSuccess, b.SetValueEx(key, "Größe", regtype::kSz, text.data(),
                                           static_cast<std::uint32_t>(text.size())));
  ASSERT_EQ(regerr::kSuccess, b.SetValueEx(key, "Ελληνικά", regtype::kBinary, odd.data(), 3));
  ASSERT_EQ(regerr::kSuccess, b.SetValueEx(key, "", regtype::kDword, seven, 4));
  expectListed("written", 3);
  ASSERT_EQ(regerr::kSuccess, b.SetValueEx(key, "GRÖßE", regtype::kExpandSz, odd.data(), 3));
  expectListed("written again", 3);
  ASSERT_EQ(regerr::kSuccess, b.DeleteValue(key, "ελληνικά"));
  expectListed("deleted", 2);
  b.CloseKey(key);
}

// A key large enough to be read in parts gives every value once, in the order
// one enumeration gives them: every type, odd sizes, data far longer than the
// rest.
TEST_P(RegistryConformance, LargeKeyReadsAsOneEnumeration) {
  RegistryBackend& b = *backend_;
  RegKey key = 0;
  ASSERT_EQ(regerr::kSuccess,
            b.CreateKeyEx(RootKey(RegistryRoot::CurrentUser), Key("Groß"), kKeyAllAccess, &key));
  const std::uint32_t types[] = {regtype::kSz,      regtype::kDword,    regtype::kBinary,
                                 regtype::kMultiSz, regtype::kExpandSz, 11};
  const std::uint32_t kValues = 12347;
  for (std::uint32_t i = 0; i < kValues; ++i) {
    std::vector<std::uint8_t> data = StringData("Wert Nº " + std::to_string(i * 7919));
    data.resize(i == 9001 ? 70000 : data.size() + i % 5, static_cast<std::uint8_t>(i));
    ASSERT_EQ(regerr::kSuccess, b.SetValueEx(key, "Schlüssel " + std::to_string(i), types[i % 6],
                                             data.data(), static_cast<std::uint32_t>(data.size())));
  }
  const std::vector<RegValue> read = ReadValues(b, key);
  ASSERT_EQ(kValues, read.size());
  char name[64];
  std::vector<std::uint8_t> data(70000);
  for (std::uint32_t i = 0; i < kValues; ++i) {
    std::uint32_t nameSize = sizeof name, type = 0xDEAD, dataSize = 70000;
    ASSERT_EQ(regerr::kSuccess,
              b.EnumValue(key, i, name, &nameSize, &type, data.data(), &dataSize));
    ASSERT_EQ(std::string(name, nameSize), read[i].name) << i;
    ASSERT_EQ(type, read[i].type) << read[i].name;
    ASSERT_TRUE(
        std::equal(data.begin(), data.begin() + dataSize, read[i].data.begin(), read[i].data.end()))
        << read[i].name;
  }
  b.CloseKey(key);
}

TEST_P(RegistryConformance, OpenKeyCreatesOnlyWhenAskedAndKeepsTheCurrentKeyOnFailure) {
  TRegistry reg;
  EXPECT_EQ(RegistryRoot::CurrentUser, reg.RootKey());
  EXPECT_FALSE(reg.OpenKey(Key("Nope"), false));
  EXPECT_FALSE(KeyExists(RegistryRoot::CurrentUser, Key("Nope")));
  EXPECT_EQ(RegKey{0}, reg.CurrentKey());

  ASSERT_TRUE(reg.OpenKey(Key("Deep\\Er\\Est"), true));
  EXPECT_EQ(Key("Deep\\Er\\Est"), reg.CurrentPath());
  EXPECT_TRUE(KeyExists(RegistryRoot::CurrentUser, Key("Deep\\Er\\Est")));

  // A failed open leaves the previous key current.
  RegKey before = reg.CurrentKey();
  EXPECT_FALSE(reg.OpenKey("Missing", false));
  EXPECT_EQ(before, reg.CurrentKey());
  EXPECT_EQ(Key("Deep\\Er\\Est"), reg.CurrentPath());

  // Relative paths go beneath the open key, absolute ones from the root.
  ASSERT_TRUE(reg.OpenKey("Child", true));
  EXPECT_EQ(Key("Deep\\Er\\Est\\Child"), reg.CurrentPath());
  EXPECT_TRUE(KeyExists(RegistryRoot::CurrentUser, Key("Deep\\Er\\Est\\Child")));
  ASSERT_TRUE(reg.OpenKey("\\" + Key("Deep"), false));
  EXPECT_EQ(Key("Deep"), reg.CurrentPath());

  // Changing the root closes the key; setting the same root changes nothing.
  reg.SetRootKey(RegistryRoot::CurrentUser);
  EXPECT_NE(RegKey{0}, reg.CurrentKey());
  reg.SetRootKey(RegistryRoot::LocalMachine);
  EXPECT_EQ(RegKey{0}, reg.CurrentKey());
  EXPECT_EQ("", reg.CurrentPath());
}

TEST_P(RegistryConformance, ValuesAreStoredWithWindowsTypesAndSizes) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(Key(), true));
  reg.WriteInteger("Dword", -2);
  reg.WriteString("Text", "Hello");
  reg.WriteString("", "default");
  reg.WriteString("Empty", "");
  reg.CloseKey();

  EXPECT_EQ(-2, Dword(RegistryRoot::CurrentUser, Key(), "dword"));
  std::uint32_t type = 0xDEAD;
  std::vector<std::uint8_t> data;
  ASSERT_TRUE(RawValue(RegistryRoot::CurrentUser, Key(), "Text", &type, &data));
  EXPECT_EQ(regtype::kSz, type);
  EXPECT_EQ(std::vector<std::uint8_t>({'H', 0, 'e', 0, 'l', 0, 'l', 0, 'o', 0, 0, 0}), data);
  ASSERT_TRUE(RawValue(RegistryRoot::CurrentUser, Key(), "Empty", &type, &data));
  EXPECT_EQ(std::vector<std::uint8_t>({0, 0}), data);

  EXPECT_EQ("default", ReadStringUser(Key(), ""));
  EXPECT_EQ("Hello", ReadStringUser(Key(), "TEXT"));
  EXPECT_EQ("", ReadStringUser(Key(), "Missing"));
  EXPECT_EQ("", ReadStringUser(Key("MissingKey"), "Text"));
  EXPECT_EQ("Invalid data type for 'Dword'", MessageOf([&] { ReadStringUser(Key(), "Dword"); }));
}

TEST_P(RegistryConformance, WritesWithoutAnOpenKeyRaiseTheSetDataMessage) {
  TRegistry reg;
  EXPECT_EQ("Failed to set data for 'Value'", MessageOf([&] { reg.WriteInteger("Value", 1); }));
  EXPECT_EQ("Failed to set data for 'Value'", MessageOf([&] { reg.WriteString("Value", "x"); }));
  EXPECT_FALSE(reg.DeleteValue("Value"));
  EXPECT_EQ("", reg.ReadString("Value"));
  // A key name the registry refuses (longer than 255 characters) makes the
  // create fail; the write then reports the value, never the key.
  std::string tooLong = Key(std::string(300, 'k'));
  EXPECT_EQ("Failed to set data for 'Name'",
            MessageOf([&] { WriteDwordUser(tooLong, "Name", 1); }));
  EXPECT_EQ("Failed to create key " + tooLong,
            MessageOf([&] { EnsureKey(RegistryRoot::CurrentUser, tooLong); }));
}

// The messages name the value, or the path as given; the error box and the
// command line add the full name of the key the registry refused.
TEST_P(RegistryConformance, ARefusedWriteNamesItsKeyInTheErrorBox) {
  const std::string tooLong = Key("Größe\\" + std::string(300, 'k'));
  const auto boxText = [](const std::function<void()>& action) {
    try {
      action();
    } catch (const std::exception& e) {
      return ErrorBoxText(e);
    }
    return std::string("no error");
  };
  EXPECT_EQ("Failed to set data for 'Zähler'\r\nHKEY_CURRENT_USER\\" + tooLong,
            boxText([&] { WriteDwordUser(tooLong, "Zähler", 1); }));
  EXPECT_EQ("Failed to create key " + tooLong + ".\r\nHKEY_CURRENT_USER\\" + tooLong,
            boxText([&] { EnsureKey(RegistryRoot::CurrentUser, tooLong); }));
  // Beneath the open key, as the shared accessor's rows create.
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(Key(), true));
  const std::string sub = "Sub\\" + std::string(300, 'k');
  EXPECT_EQ("Failed to create key " + sub + ".\r\nHKEY_CURRENT_USER\\" + Key(sub),
            boxText([&] { reg.CreateKey(sub); }));
}

TEST_P(RegistryConformance, DeleteOperationsToleratesMissingKeysAndValues) {
  EXPECT_TRUE(DeleteRegValue(RegistryRoot::CurrentUser, Key("Missing"), "Value"));
  WriteDwordUser(Key(), "Value", 7);
  EXPECT_TRUE(DeleteRegValue(RegistryRoot::CurrentUser, Key(), "Other"));
  EXPECT_TRUE(DeleteRegValue(RegistryRoot::CurrentUser, Key(), "VALUE"));
  std::uint32_t type;
  std::vector<std::uint8_t> data;
  EXPECT_FALSE(RawValue(RegistryRoot::CurrentUser, Key(), "Value", &type, &data));

  DeleteRegKey(RegistryRoot::CurrentUser, Key("Missing"));  // no error

  TRegistry reg;
  EXPECT_FALSE(reg.DeleteKey(Key("Missing")));
}

TEST_P(RegistryConformance, DeleteKeyRemovesTheWholeTreeDepthFirst) {
  EnsureKey(RegistryRoot::CurrentUser, Key("Tree\\A\\A1\\A11"));
  EnsureKey(RegistryRoot::CurrentUser, Key("Tree\\A\\A2"));
  EnsureKey(RegistryRoot::CurrentUser, Key("Tree\\B"));
  WriteStringUser(Key("Tree\\A\\A1"), "v", "x");
  WriteDwordUser(Key("Tree"), "v", 1);
  EnsureKey(RegistryRoot::CurrentUser, Key("Sibling"));

  DeleteRegKey(RegistryRoot::CurrentUser, Key("tree"));
  EXPECT_FALSE(KeyExists(RegistryRoot::CurrentUser, Key("Tree")));
  EXPECT_TRUE(KeyExists(RegistryRoot::CurrentUser, Key("Sibling")));

  TRegistry reg;
  EnsureKey(RegistryRoot::CurrentUser, Key("Tree\\X"));
  EXPECT_TRUE(reg.DeleteKey("\\" + Key("Tree")));
  EXPECT_FALSE(KeyExists(RegistryRoot::CurrentUser, Key("Tree")));
}

TEST_P(RegistryConformance, OneCallOperationsWriteTheirRoots) {
  EXPECT_TRUE(WriteDwordBoth(Key(), "Both", 5));
  EXPECT_EQ(5, Dword(RegistryRoot::LocalMachine, Key(), "Both"));
  EXPECT_EQ(5, Dword(RegistryRoot::CurrentUser, Key(), "Both"));

  WriteDwordMachine(Key("M"), "Machine", 1);
  EXPECT_EQ(1, Dword(RegistryRoot::LocalMachine, Key("M"), "Machine"));
  EXPECT_FALSE(KeyExists(RegistryRoot::CurrentUser, Key("M")));

  WriteStringMachine(Key("M"), "S", "m");
  WriteStringUser(Key("U"), "S", "u");
  std::uint32_t type;
  std::vector<std::uint8_t> data;
  ASSERT_TRUE(RawValue(RegistryRoot::LocalMachine, Key("M"), "S", &type, &data));
  EXPECT_EQ(std::vector<std::uint8_t>({'m', 0, 0, 0}), data);
  EXPECT_EQ("u", ReadStringUser(Key("U"), "S"));
}

TEST_P(RegistryConformance, SetSystemPolicyWritesTheIndexedPolicy) {
  // The policy keys are shared with the real system: remember and restore.
  const std::string system = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
  std::uint32_t type;
  std::vector<std::uint8_t> before;
  bool had = RawValue(RegistryRoot::CurrentUser, system, "NoDispCPL", &type, &before);

  EXPECT_TRUE(SetSystemPolicy(6, 1));
  EXPECT_EQ(1, Dword(RegistryRoot::CurrentUser, system, "NoDispCPL"));
  EXPECT_TRUE(SetSystemPolicy(6, 0));
  EXPECT_EQ(0, Dword(RegistryRoot::CurrentUser, system, "NoDispCPL"));
  EXPECT_TRUE(SetSystemPolicy(15, 1));  // past the table: keys only
  EXPECT_TRUE(KeyExists(RegistryRoot::CurrentUser, system));

  if (had) {
    RegKey key = 0;
    backend_->OpenKeyEx(RootKey(RegistryRoot::CurrentUser), system, kKeyAllAccess, &key);
    backend_->SetValueEx(key, "NoDispCPL", type, before.data(),
                         static_cast<std::uint32_t>(before.size()));
    backend_->CloseKey(key);
  } else {
    DeleteRegValue(RegistryRoot::CurrentUser, system, "NoDispCPL");
  }
}

TEST_P(RegistryConformance, CRegKeyCreatesBothListsIncludingTheTrailingBackslashKey) {
  TRegistry& shared = RenewSharedRegistry();
  CRegKey(shared);
  EXPECT_EQ(RegKey{0}, shared.CurrentKey());
  EXPECT_EQ(RegistryRoot::LocalMachine, shared.RootKey());
  EXPECT_TRUE(KeyExists(RegistryRoot::CurrentUser,
                        "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\WinOldApp"));
  EXPECT_TRUE(KeyExists(RegistryRoot::LocalMachine, "System\\CurrentControlSet\\Control\\Class"));
  EXPECT_TRUE(
      KeyExists(RegistryRoot::LocalMachine,
                "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\NameSpace"));
}

// Names and data as real machines carry them: Cyrillic and emoji names
// (Wine's own prefix has "Control Panel\International\🌎🌏🌍"), a name with a
// line break, and string data of odd sizes, without or with extra
// terminators. Every unit and byte comes back; names compare as the
// registry compares them.
TEST_P(RegistryConformance, UnicodeNamesAndDataComeBackUnitForUnitByteForByte) {
  RegistryBackend& b = *backend_;
  RegKey key = 0x5EA5E5;
  ASSERT_EQ(regerr::kSuccess, b.CreateKeyEx(RootKey(RegistryRoot::CurrentUser), Key("Ключ\\🌎🌏🌍"),
                                            kKeyAllAccess, &key));
  const std::vector<std::uint8_t> hello = StringData("Привет 😀");
  const std::vector<std::uint8_t> odd = {'a', 0, 'b', 0, 'c'};
  const std::vector<std::uint8_t> multi = {'x', 0, 0, 0, 0x14, 0x04, 0, 0, 0, 0};
  const std::vector<std::uint8_t> unterminated = {'%', 0, 'T', 0, 'E', 0, 'M', 0, 'P', 0, '%', 0};
  const struct {
    const char* name;
    std::uint32_t type;
    const std::vector<std::uint8_t>& data;
  } values[] = {{"Привет", regtype::kSz, hello},
                {"Zeile\nZwei", regtype::kSz, odd},
                {"Ü😀", regtype::kMultiSz, multi},
                {"", regtype::kExpandSz, unterminated}};
  for (const auto& v : values)
    ASSERT_EQ(regerr::kSuccess, b.SetValueEx(key, v.name, v.type, v.data.data(),
                                             static_cast<std::uint32_t>(v.data.size())))
        << v.name;
  std::vector<RegValue> read = ReadValues(b, key);
  ASSERT_EQ(4u, read.size());
  for (const auto& v : values) {
    RegValue found{"sentinel", 0xDEAD, {0xCC}};
    ASSERT_TRUE(ReadValue(b, key, v.name, &found)) << v.name;
    EXPECT_EQ(v.type, found.type) << v.name;
    EXPECT_EQ(v.data, found.data) << v.name;
    EXPECT_TRUE(std::any_of(read.begin(), read.end(), [&](const RegValue& r) {
      return r.name == v.name && r.data == v.data;
    })) << v.name;
  }
  // Case is folded beyond ASCII; characters outside the BMP are compared as
  // they are.
  std::uint32_t type = 0xDEAD, size = 0xDEAD;
  EXPECT_EQ(regerr::kSuccess, b.QueryValueEx(key, "ПРИВЕТ", &type, nullptr, &size));
  EXPECT_EQ(hello.size(), size);
  EXPECT_EQ(regerr::kSuccess, b.QueryValueEx(key, "ü😀", &type, nullptr, &size));
  EXPECT_EQ(regerr::kFileNotFound, b.QueryValueEx(key, "Привет😀", &type, nullptr, &size));
  b.CloseKey(key);

  RegKey parent = 0;
  ASSERT_EQ(regerr::kSuccess,
            b.OpenKeyEx(RootKey(RegistryRoot::CurrentUser), Key("ключ"), kKeyRead, &parent));
  std::uint32_t count = 0, longest = 0;
  ASSERT_EQ(regerr::kSuccess, b.QueryInfoKey(parent, &count, &longest));
  EXPECT_EQ(1u, count);
  EXPECT_EQ(6u, longest);  // three emoji, two UTF-16 units each
  EXPECT_EQ(std::vector<std::string>{"🌎🌏🌍"}, ReadSubKeyNames(b, parent));
  char name[8];
  std::uint32_t nameSize = sizeof name;  // 12 bytes in UTF-8
  EXPECT_EQ(regerr::kMoreData, b.EnumKeyEx(parent, 0, name, &nameSize));
  b.CloseKey(parent);

  // Through the registry layer: text in, the same text out.
  WriteStringUser(Key("Grüße"), "Straße", "naïve ☕ Ελληνικά");
  EXPECT_EQ("naïve ☕ Ελληνικά", ReadStringUser(Key("GRÜßE"), "STRAßE"));
  EXPECT_EQ("", ReadStringUser(Key("Grüße"), "STRASSE"));  // ß has no one-unit capital
  DeleteRegKey(RegistryRoot::CurrentUser, Key("КЛЮЧ"));
  EXPECT_FALSE(KeyExists(RegistryRoot::CurrentUser, Key("Ключ")));
}

INSTANTIATE_TEST_SUITE_P(Backends, RegistryConformance, ::testing::ValuesIn(BackendNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           return info.param;
                         });

}  // namespace
}  // namespace velotune
