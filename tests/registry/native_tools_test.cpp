#include "platform/native_tools.h"

#include <gtest/gtest.h>

namespace velotune {
namespace {

TEST(NativeTools, TheRegistryToolsNamedByThemselvesBecomeTheNativeOnes) {
  const std::string script = " /s \"C:\\Program Files (x86)\\Velotune\\FIXER\\Misc\\a b.fix\"";
  EXPECT_EQ(NativeToolCommandLine("regedit.exe" + script, "C:\\Windows"),
            "C:\\Windows\\regedit.exe" + script);
  EXPECT_EQ(NativeToolCommandLine("Regedit.exe /s \"D:\\V\\SpeedUp.reg\"", "C:\\WINDOWS\\"),
            "C:\\WINDOWS\\regedit.exe /s \"D:\\V\\SpeedUp.reg\"");
  EXPECT_EQ(
      NativeToolCommandLine("cmd.exe /c \"C:\\V\\FIXER\\Networking\\FlushDNS.bat\"", "C:\\Windows"),
      "C:\\Windows\\Sysnative\\cmd.exe /c \"C:\\V\\FIXER\\Networking\\FlushDNS.bat\"");
  EXPECT_EQ(NativeToolCommandLine("\"CMD\"\t/c x", "C:\\Windows"),
            "C:\\Windows\\Sysnative\\cmd.exe\t/c x");
  EXPECT_EQ(NativeToolCommandLine("regedit", "C:\\Windows"), "C:\\Windows\\regedit.exe");
  // A Windows folder with a blank is quoted, or the line would name another program.
  EXPECT_EQ(NativeToolCommandLine("cmd /c x.bat", "D:\\My Windows"),
            "\"D:\\My Windows\\Sysnative\\cmd.exe\" /c x.bat");
}

TEST(NativeTools, EveryOtherCommandLineStaysAsItIs) {
  for (const char* line : {"powercfg -restoredefaultschemes", "C:\\Tools\\regedit.exe /s x.reg",
                           "regedit.exe.bak /s x", "cmdx /c y", "\"C:\\My Tools\\cmd.exe\" /c y",
                           "Shutdown -r -f -t 1", ""}) {
    EXPECT_EQ(NativeToolCommandLine(line, "C:\\Windows"), line);
  }
}

TEST(NativeTools, OnlyTheWindowsFoldersRegistryEditorNeedsRedirectionOff) {
  EXPECT_TRUE(StartsWindowsRegistryEditor("C:\\WINDOWS\\Regedit.exe /s x", "C:\\Windows"));
  EXPECT_TRUE(
      StartsWindowsRegistryEditor("\"D:\\My Windows\\regedit.exe\" /s x", "D:\\My Windows\\"));
  EXPECT_FALSE(StartsWindowsRegistryEditor("regedit.exe /s x", "C:\\Windows"));
  EXPECT_FALSE(StartsWindowsRegistryEditor("C:\\Windows\\SysWOW64\\regedit.exe", "C:\\Windows"));
  EXPECT_FALSE(StartsWindowsRegistryEditor("C:\\Windows\\Sysnative\\cmd.exe /c x", "C:\\Windows"));
}

}  // namespace
}  // namespace velotune
