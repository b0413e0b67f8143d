// The copy-on-write layer over values read from underneath, and the
// comparison that checks a backup, on keys as real machines hold them.
#include "platform/layered_registry.h"

#include <gtest/gtest.h>

#include "platform/memory_registry.h"
#include "platform/reg_script.h"
#include "platform/registry_compare.h"

namespace velotune {
namespace {

const char kKey[] = "Software\\Größen";

// Puts the key with the values of the script lines into the registry.
void Hold(MemoryRegistry& registry, const std::vector<std::string>& valueLines) {
  std::vector<std::string> lines = {"[HKEY_CURRENT_USER\\Software\\Größen]"};
  lines.insert(lines.end(), valueLines.begin(), valueLines.end());
  ImportRegScript(registry, Version5Script(lines, true));
}

// Values read from underneath are found by name as the registry finds them,
// and keep their spelling and place when written again under another case.
TEST(LayeredRegistry, ValuesFromUnderneathAreFoundByNameAndRewrittenInPlace) {
  MemoryRegistry base;
  Hold(base, {"\"Länge\"=\"12 м\"", "\"Breite\"=dword:00000007", "\"Höhe\"=hex(2):25,00,00,00"});
  LayeredRegistry layer(base);
  RegKey key = 0x5EA5E5;
  ASSERT_EQ(regerr::kSuccess, layer.OpenKeyEx(RootKey(RegistryRoot::CurrentUser),
                                              "SOFTWARE\\GRÖßEN", kKeyAllAccess, &key));
  EXPECT_EQ(3u, ListedValues(layer, key).All().size());
  std::uint32_t type = 0xDEAD, size = 0xDEAD;
  EXPECT_EQ(regerr::kSuccess, layer.QueryValueEx(key, "HÖHE", &type, nullptr, &size));
  EXPECT_EQ(regtype::kExpandSz, type);
  EXPECT_EQ(4u, size);
  const std::uint8_t five[4] = {5, 0, 0, 0};
  EXPECT_EQ(regerr::kSuccess, layer.SetValueEx(key, "LÄNGE", regtype::kDword, five, 4));
  EXPECT_EQ(regerr::kSuccess, layer.DeleteValue(key, "breite"));
  EXPECT_EQ(regerr::kFileNotFound, layer.DeleteValue(key, "Breite"));
  const std::vector<RegValue> values = ReadValues(layer, key);
  ASSERT_EQ(2u, values.size());
  EXPECT_EQ("Länge", values[0].name);
  EXPECT_EQ(std::vector<std::uint8_t>(five, five + 4), values[0].data);
  EXPECT_EQ("Höhe", values[1].name);
  EXPECT_EQ(regerr::kSuccess, layer.CloseKey(key));
  EXPECT_EQ(3u, base.Values(RegistryRoot::CurrentUser, kKey).size());
  EXPECT_EQ(2u, layer.Changes().size());
}

// A key compared whole: values in the same order pair by pair, in another
// order by name; either way the first that differs, is missing or is left
// over is the one named.
TEST(FirstDifference, NamesTheFirstValueThatDiffersInEitherOrder) {
  const std::vector<RegItem> key = {{RegistryRoot::CurrentUser, kKey, true, ""}};
  MemoryRegistry want;
  Hold(want, {"\"α\"=dword:00000001", "@=\"Wert\"", "\"γ\"=hex:ff"});
  const struct {
    std::vector<std::string> lines;
    std::string difference;
  } cases[] = {
      {{"\"α\"=dword:00000001", "@=\"Wert\"", "\"γ\"=hex:ff"}, ""},
      {{"\"γ\"=hex:ff", "\"Α\"=dword:00000001", "@=\"Wert\""}, ""},
      {{"\"α\"=dword:00000001", "@=\"Wort\"", "\"γ\"=hex:fe"},
       "HKEY_CURRENT_USER\\Software\\Größen @: \"Wort\" instead of \"Wert\""},
      {{"\"γ\"=hex:fe", "@=\"Wert\"", "\"α\"=dword:00000001"},
       "HKEY_CURRENT_USER\\Software\\Größen \"γ\": hex:fe instead of hex:ff"},
      {{"\"α\"=dword:00000001", "@=\"Wert\""},
       "HKEY_CURRENT_USER\\Software\\Größen \"γ\": (none) instead of hex:ff"},
      {{"\"α\"=dword:00000001", "@=\"Wert\"", "\"γ\"=hex:ff", "\"δ\"=\"\""},
       "HKEY_CURRENT_USER\\Software\\Größen \"δ\": \"\" instead of (none)"},
  };
  for (const auto& c : cases) {
    MemoryRegistry got;
    Hold(got, c.lines);
    EXPECT_EQ(c.difference, FirstDifference(want, got, key)) << c.lines.size();
  }
  MemoryRegistry none;
  EXPECT_EQ("HKEY_CURRENT_USER\\Software\\Größen is missing", FirstDifference(want, none, key));
  EXPECT_EQ("HKEY_CURRENT_USER\\Software\\Größen is left over", FirstDifference(none, want, key));
}

}  // namespace
}  // namespace velotune
