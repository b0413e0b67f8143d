// The Win32 seams against the real system: processes, files, user name.
#include "platform/win32_system.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/seams.h"
#include "platform/win32_registry.h"
#include "tweaks/registry.h"

namespace velotune {
namespace {

class Win32System : public ::testing::Test {
 protected:
  void SetUp() override { DeleteRegKey(RegistryRoot::CurrentUser, kKey); }
  void TearDown() override { DeleteRegKey(RegistryRoot::CurrentUser, kKey); }
  static constexpr const char* kKey = "Software\\VelotuneRunProcess";
  Win32Registry registry;
  Win32Processes processes;
  Win32Files files;
  ScopedSeams seams{&registry, &processes, &files};
};

TEST_F(Win32System, RunProcessWaitsForTheRegistryEditorToImport) {
  std::string script = files.ProgramFolder() + "run process test.reg";
  files.WriteLines(script, {"REGEDIT4", "", "[HKEY_CURRENT_USER\\Software\\VelotuneRunProcess]",
                            "\"Imported\"=\"yes\"", ""});
  RunProcess("", "Regedit.exe /s \"" + script + "\"", true);
  // Only a finished import has the value already.
  EXPECT_EQ("yes", ReadStringUser(kKey, "Imported"));
  EXPECT_TRUE(files.Delete(script));
  EXPECT_FALSE(files.Exists(script));
}

TEST_F(Win32System, RunProcessOfAMissingProgramRaisesTheSystemError) {
  try {
    RunProcess("", "velotune-no-such-program.exe /s", true);
    FAIL() << "no exception";
  } catch (const EOSError& e) {
    EXPECT_EQ(2u, e.ErrorCode());
    std::string text = SystemErrorText(2);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ("System Error.  Code: 2.\r\n" + text, e.what());
  }
}

TEST_F(Win32System, WriteLinesEndsLinesWithCrLfAndNamesThePathOnFailure) {
  std::string path = files.ProgramFolder() + "lines.txt";
  files.WriteLines(path, {"a", "", "b"});
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  char buffer[32] = {};
  DWORD read = 0;
  ReadFile(h, buffer, sizeof buffer, &read, nullptr);
  CloseHandle(h);
  EXPECT_EQ(std::string("a\r\n\r\nb\r\n"), std::string(buffer, read));
  files.Delete(path);

  std::string bad = files.ProgramFolder() + "no such folder\\SpeedUp.reg";
  try {
    files.WriteLines(bad, {"x"});
    FAIL() << "no exception";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(0u, std::string(e.what()).find("Cannot create file \"" + bad + "\"."));
  }
}

TEST_F(Win32System, FoldersAreListedApartFromFilesAndOnlyAnEmptyOneIsRemoved) {
  const std::string base =
      files.ProgramFolder() + "export \xD0\xBF\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0\\";
  ASSERT_TRUE(files.MakeFolders(base + "Machine\\"));
  ASSERT_TRUE(files.WriteNewFile(base + "README.txt", "x"));
  EXPECT_EQ(std::vector<std::string>{"Machine"}, files.ListFolders(base));
  EXPECT_EQ(std::vector<std::string>{"README.txt"}, files.ListFiles(base));
  EXPECT_TRUE(files.ListFolders(base + "Machine\\").empty());
  EXPECT_FALSE(files.RemoveFolder(base));
  EXPECT_TRUE(files.RemoveFolder(base + "Machine\\"));
  EXPECT_TRUE(files.Delete(base + "README.txt"));
  EXPECT_TRUE(files.RemoveFolder(base));
  EXPECT_FALSE(files.Exists(base.substr(0, base.size() - 1)));
}

TEST_F(Win32System, TheLogonNameIsKnown) {
  EXPECT_FALSE(GetNetUserName().empty());
}

}  // namespace
}  // namespace velotune
