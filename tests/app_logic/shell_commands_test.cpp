#include "app/logic/shell_commands.h"

#include <gtest/gtest.h>

namespace velotune {
namespace {

TEST(AddTrailingBackslash, AppendsOnlyWhenMissing) {
  EXPECT_EQ(AddTrailingBackslash(""), "");
  EXPECT_EQ(AddTrailingBackslash("C:\\Recent"), "C:\\Recent\\");
  EXPECT_EQ(AddTrailingBackslash("C:\\Recent\\"), "C:\\Recent\\");
  EXPECT_EQ(AddTrailingBackslash("C:"), "C:\\");
}

TEST(FolderOfFile, KeepsTheSeparator) {
  EXPECT_EQ(FolderOfFile("C:\\Program Files\\Velotune\\velotune.exe"),
            "C:\\Program Files\\Velotune\\");
  EXPECT_EQ(FolderOfFile("C:velotune.exe"), "C:");
  EXPECT_EQ(FolderOfFile("velotune.exe"), "");
  EXPECT_EQ(FolderOfFile(""), "");
}

TEST(RestartExplorer, BatchFileAndCommandLine) {
  EXPECT_EQ(JoinCrLf(RestartExplorerBatchLines()),
            "@echo off\r\ntaskkill /f /im explorer.exe\r\nstart explorer.exe\r\nExit\r\n");
  const char* folders[] = {"C:\\Users\\Jo Doe\\Recent", "C:\\Users\\Jo Doe\\Recent\\"};
  for (const char* folder : folders) {
    EXPECT_EQ(RestartExplorerBatchPath(folder), "C:\\Users\\Jo Doe\\Recent\\RE.bat");
    // The blank in the path stays inside the quotes.
    EXPECT_EQ(RestartExplorerCommand(folder), "cmd /c \"C:\\Users\\Jo Doe\\Recent\\RE.bat\"");
  }
}

TEST(RestartExplorer, UnknownRecentFolderGivesNothingToWriteOrRun) {
  EXPECT_EQ(RestartExplorerBatchPath(""), "");
  EXPECT_EQ(RestartExplorerCommand(""), "");
}

TEST(JoinCrLf, EndsEveryLineEmptyOnesIncluded) {
  EXPECT_EQ(JoinCrLf({}), "");
  EXPECT_EQ(JoinCrLf({"", "a", ""}), "\r\na\r\n\r\n");
}

}  // namespace
}  // namespace velotune
