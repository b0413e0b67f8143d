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

}  // namespace
}  // namespace velotune
