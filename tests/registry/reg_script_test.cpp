#include "platform/reg_script.h"

#include <gtest/gtest.h>

#include "platform/memory_registry.h"
#include "platform/registry_names.h"

namespace velotune {
namespace {

TEST(RegScript, ImportsEveryValueKindAndDeletion) {
  MemoryRegistry r;
  ImportRegScript(r,
                  "REGEDIT4\r\n\r\n"
                  "; a comment\r\n"
                  "[HKEY_CURRENT_USER\\Software\\T]\r\n"
                  "@=\"default\"\r\n"
                  "\"Text\"=\"C:\\\\Path \\\"quoted\\\"\"\r\n"
                  "\"Num\"=dword:0000001f\r\n"
                  "\"Bin\"=hex:01,02,\\\r\n"
                  "  ff\r\n"
                  "\"Exp\"=hex(2):25,00\r\n"
                  "\"Gone\"=\"x\"\r\n"
                  "\"Gone\"=-\r\n"
                  "[HKEY_LOCAL_MACHINE\\Software\\Old\\Sub]\r\n"
                  "[-HKEY_LOCAL_MACHINE\\Software\\Old]\r\n");
  const auto* text = r.FindValue(RegistryRoot::CurrentUser, "Software\\T", "text");
  ASSERT_NE(nullptr, text);
  EXPECT_EQ(StringData("C:\\Path \"quoted\""), text->data);
  EXPECT_EQ(regtype::kSz, text->type);
  const auto* num = r.FindValue(RegistryRoot::CurrentUser, "Software\\T", "Num");
  ASSERT_NE(nullptr, num);
  EXPECT_EQ(std::vector<std::uint8_t>({0x1f, 0, 0, 0}), num->data);
  const auto* bin = r.FindValue(RegistryRoot::CurrentUser, "Software\\T", "Bin");
  ASSERT_NE(nullptr, bin);
  EXPECT_EQ(std::vector<std::uint8_t>({1, 2, 0xff}), bin->data);
  EXPECT_EQ(2u, r.FindValue(RegistryRoot::CurrentUser, "Software\\T", "Exp")->type);
  EXPECT_NE(nullptr, r.FindValue(RegistryRoot::CurrentUser, "Software\\T", ""));
  EXPECT_EQ(nullptr, r.FindValue(RegistryRoot::CurrentUser, "Software\\T", "Gone"));
  EXPECT_FALSE(r.KeyExists(RegistryRoot::LocalMachine, "Software\\Old"));
  EXPECT_TRUE(r.KeyExists(RegistryRoot::LocalMachine, "Software"));
}

TEST(RegScript, AcceptsVersion5AndUtf16) {
  MemoryRegistry r;
  std::string text = "Windows Registry Editor Version 5.00\r\n[HKCU\\A]\r\n\"v\"=dword:1\r\n";
  std::string utf16 = "\xFF\xFE";
  for (char c : text) {
    utf16 += c;
    utf16 += '\0';
  }
  ImportRegScript(r, utf16);
  EXPECT_NE(nullptr, r.FindValue(RegistryRoot::CurrentUser, "A", "v"));
}

TEST(RegScript, RejectsMalformedScriptsWithTheLine) {
  struct Case {
    const char* text;
    int line;
  } cases[] = {
      {"", 1},
      {"REGEDIT5\r\n", 1},
      {"REGEDIT4\r\n\"v\"=dword:1\r\n", 2},
      {"REGEDIT4\r\n[HKEY_NOWHERE\\A]\r\n", 2},
      {"REGEDIT4\r\n[HKCU\\A\r\n", 2},
      {"REGEDIT4\r\n[HKCU\\A]\r\n\"v\"=dword:123456789\r\n", 3},
      {"REGEDIT4\r\n[HKCU\\A]\r\n\"v\"=dword:\r\n", 3},
      {"REGEDIT4\r\n[HKCU\\A]\r\n\"v\"=hex:1,zz\r\n", 3},
      {"REGEDIT4\r\n[HKCU\\A]\r\n\"v\"=hex(\r\n", 3},
      {"REGEDIT4\r\n[HKCU\\A]\r\n\"v\"=\"open\r\n", 3},
      {"REGEDIT4\r\n[HKCU\\A]\r\n\"v\"\r\n", 3},
      {"REGEDIT4\r\n[HKCU\\A]\r\nv=1\r\n", 3},
      {"REGEDIT4\r\n[HKCU\\A]\r\n\"v\"=hex:01,02,\r\n", 3},
      {"REGEDIT4\r\n[HKCU\\A]\r\n\"v\"=hex:01,,02\r\n", 3},
      {"REGEDIT4\r\n[HKCU\\A]\r\n\"v\"=hex:012\r\n", 3},
      {"REGEDIT4\r\n[HKCU\\A]\r\n\"v\"=hex(123456789):00\r\n", 3},
      {"REGEDIT4\r\n[HKCU\\A]\r\n\"v\"=hex(x):00\r\n", 3},
      {"REGEDIT4\r\n[HKCU\\A]\r\n\"v\"=dword:0x10\r\n", 3},
  };
  for (const Case& c : cases) {
    MemoryRegistry r;
    try {
      ImportRegScript(r, c.text);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const RegScriptError& e) {
      EXPECT_EQ(c.line, e.Line()) << c.text << " -> " << e.what();
    }
    EXPECT_EQ(0u, r.OpenHandleCount()) << c.text;
  }
}

TEST(RegScript, ExportReimportsToTheSameTree) {
  MemoryRegistry a;
  ImportRegScript(
      a,
      "REGEDIT4\r\n[HKEY_USERS\\R]\r\n@=\"d\"\r\n\"q\"=\"a\\\\b\\\"\"\r\n"
      "\"n\"=dword:fffffffe\r\n\"b\"=hex:00\r\n[HKEY_USERS\\R\\S]\r\n\"m\"=hex(7):61,00,00\r\n");
  std::string dump = ExportRegScript(a, RegistryRoot::Users, "R");
  MemoryRegistry b;
  ImportRegScript(b, dump);
  EXPECT_EQ(dump, ExportRegScript(b, RegistryRoot::Users, "R"));
  EXPECT_NE(std::string::npos,
            dump.find(Version5Script({"\"n\"=dword:fffffffe"}, false).substr(78)));
  EXPECT_EQ(Version5Script({}, false), ExportRegScript(b, RegistryRoot::Users, "Missing"));
}

// A version-5 export of values real machines carry reads back byte for byte,
// strictly: text beyond any code page, a name with a line break, strings of
// odd size or without their terminator, every type.
TEST(RegScript, Version5ExportKeepsEveryByteAndReadsBackStrictly) {
  MemoryRegistry a;
  RegKey key = 0;
  ASSERT_EQ(regerr::kSuccess, a.CreateKeyEx(RootKey(RegistryRoot::CurrentUser),
                                            "Software\\Ключ\\🌎🌏🌍", kKeyAllAccess, &key));
  const std::vector<RegValue> values = {
      {"Привет", regtype::kSz, StringData("Привет 😀")},
      {"", regtype::kSz, StringData("été \"中文\" C:\\")},
      {"Zeile\nZwei\r", regtype::kSz, {'a', 0, 'b', 0, 'c'}},
      {"Expand", regtype::kExpandSz, {'%', 0, 'T', 0, '%', 0}},
      {"Multi", regtype::kMultiSz, {'x', 0, 0, 0, 0x14, 0x04, 0, 0, 0, 0}},
      {"Q", regtype::kQword, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"Own type", 0x12345, {1, 2, 3}},
      {"Short dword", regtype::kDword, {1, 2}},
      {"Empty", regtype::kSz, {}},
      {"Blob", regtype::kBinary, std::vector<std::uint8_t>(300, 0xAB)},
  };
  for (const RegValue& v : values)
    a.SetValueEx(key, v.name, v.type, v.data.data(), static_cast<std::uint32_t>(v.data.size()));
  a.CloseKey(key);
  const std::string script = ExportRegScript(a, RegistryRoot::CurrentUser, "Software\\Ключ");
  ASSERT_EQ(0, script.compare(0, 2, "\xFF\xFE"));
  MemoryRegistry b;
  ApplyRegScript(b, ParseRegScript(script, true));
  EXPECT_EQ(script, ExportRegScript(b, RegistryRoot::CurrentUser, "Software\\Ключ"));
  for (const RegValue& v : values) {
    const MemoryRegistry::Value* got =
        b.FindValue(RegistryRoot::CurrentUser, "Software\\ключ\\🌎🌏🌍", v.name);
    ASSERT_NE(nullptr, got) << v.name;
    EXPECT_EQ(v.type, got->type) << v.name;
    EXPECT_EQ(v.data, got->data) << v.name;
    EXPECT_EQ(v.name, got->name);
  }
}

// The registry editor's looser forms: either case, blanks among the bytes,
// one-digit bytes and short numbers. Strict reading (a backup) refuses the
// short ones, at their line.
TEST(RegScript, LooseHexAndNumbersAreReadButNotInABackup) {
  const std::string script =
      Version5Script({"[HKEY_CURRENT_USER\\Software\\Übung]", "\"Zähler\"=DWORD:0000ABcd",
                      "\"Bytes\"=hex: 1, a ,\t0F,\\", "  ff",
                      "\"Leer\"=hex:", "\"Eigen\"=HEX(1f):0a,0B", "\"Kurz\"=dword:abcd"},
                     true);
  MemoryRegistry r;
  ApplyRegScript(r, ParseRegScript(script));
  const std::string key = "Software\\Übung";
  EXPECT_EQ(std::vector<std::uint8_t>({0xCD, 0xAB, 0, 0}),
            r.FindValue(RegistryRoot::CurrentUser, key, "zähler")->data);
  EXPECT_EQ(std::vector<std::uint8_t>({0x01, 0x0A, 0x0F, 0xFF}),
            r.FindValue(RegistryRoot::CurrentUser, key, "Bytes")->data);
  const MemoryRegistry::Value* empty = r.FindValue(RegistryRoot::CurrentUser, key, "Leer");
  ASSERT_NE(nullptr, empty);
  EXPECT_EQ(regtype::kBinary, empty->type);
  EXPECT_TRUE(empty->data.empty());
  EXPECT_EQ(0x1Fu, r.FindValue(RegistryRoot::CurrentUser, key, "Eigen")->type);
  EXPECT_EQ(std::vector<std::uint8_t>({0xCD, 0xAB, 0, 0}),
            r.FindValue(RegistryRoot::CurrentUser, key, "Kurz")->data);
  try {
    ParseRegScript(script, true);
    ADD_FAILURE() << "a one-digit byte read strictly";
  } catch (const RegScriptError& e) {
    EXPECT_EQ(4, e.Line());
    EXPECT_STREQ("line 4: bad hex bytes", e.what());
  }
}

// REGEDIT4 scripts are ANSI: string data given in hex is widened, and given
// its terminator when it lacks one, as the registry editor does.
TEST(RegScript, Regedit4HexStringsAreWidenedAsTheRegistryEditorDoes) {
  MemoryRegistry r;
  ImportRegScript(r,
                  "REGEDIT4\r\n[HKCU\\A]\r\n\"E\"=hex(2):25,41,25,00\r\n"
                  "\"M\"=hex(7):61,00,e4,00,00\r\n\"S\"=hex(1):62\r\n\"\xE4\"=\"\xFC\"\r\n");
  EXPECT_EQ(StringData("%A%"), r.FindValue(RegistryRoot::CurrentUser, "A", "E")->data);
  EXPECT_EQ(std::vector<std::uint8_t>({'a', 0, 0, 0, 0xE4, 0, 0, 0, 0, 0}),
            r.FindValue(RegistryRoot::CurrentUser, "A", "M")->data);
  EXPECT_EQ(StringData("b"), r.FindValue(RegistryRoot::CurrentUser, "A", "S")->data);
  EXPECT_EQ(StringData("ü"), r.FindValue(RegistryRoot::CurrentUser, "A", "ä")->data);
}

}  // namespace
}  // namespace velotune
