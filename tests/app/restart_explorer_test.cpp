#include "app/restart_explorer.h"

#include <gtest/gtest.h>

#include "platform/memory_registry.h"
#include "platform/seams.h"
#include "support/recording_seams.h"

namespace velotune {
namespace {

struct Fixture {
  MemoryRegistry registry;
  RecordingProcesses processes;
  RecordingFiles files;
};

TEST(RestartExplorer, WritesTheBatchFileAndRunsItHidden) {
  const char* folders[] = {"C:\\Users\\me\\Recent", "C:\\Users\\me\\Recent\\"};
  for (const char* folder : folders) {
    SCOPED_TRACE(folder);
    Fixture f;
    ScopedSeams seams(&f.registry, &f.processes, &f.files);
    f.processes.systemToolMark = "[system] ";
    f.files.files["C:\\Users\\me\\Recent\\RE.bat"] = {"old"};
    RestartExplorerIn(folder);
    EXPECT_EQ(f.files.files["C:\\Users\\me\\Recent\\RE.bat"],
              (std::vector<std::string>{"@echo off", "taskkill /f /im explorer.exe",
                                        "start explorer.exe", "Exit"}));
    ASSERT_EQ(f.processes.calls.size(), 1u);
    EXPECT_EQ(f.processes.calls[0].kind, "WinExec");
    EXPECT_EQ(f.processes.calls[0].commandLine,
              "[system] cmd /c \"C:\\Users\\me\\Recent\\RE.bat\"");
    EXPECT_EQ(f.processes.calls[0].show, kSwHide);
  }
}

TEST(RestartExplorer, UnknownRecentFolderWritesNothingAndSaysWhy) {
  Fixture f;
  ScopedSeams seams(&f.registry, &f.processes, &f.files);
  try {
    RestartExplorerIn("");
    FAIL() << "nothing said";
  } catch (const Exception& e) {
    EXPECT_EQ(ErrorBoxText(e.what()),
              "Explorer was not restarted: the location of the Recent folder, where RE.bat is "
              "written, is unknown.");
  }
  EXPECT_TRUE(f.files.files.empty());
  EXPECT_TRUE(f.processes.calls.empty());
}

TEST(RestartExplorer, UnwritableBatchFileRaisesAndRunsNothing) {
  Fixture f;
  ScopedSeams seams(&f.registry, &f.processes, &f.files);
  f.files.refuseCreate = true;
  try {
    RestartExplorerIn("C:\\Recent");
    FAIL() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"C:\\Recent\\RE.bat\"", 0), 0u);
  }
  EXPECT_TRUE(f.processes.calls.empty());
}

}  // namespace
}  // namespace velotune
