#include "skin/data/quick_ini.h"

#include <gtest/gtest.h>

namespace velotune::skin {
namespace {

TQuickIni Ini(const std::string& text) {
  TQuickIni ini;
  ini.LoadFromText(text);
  return ini;
}

TEST(QuickIni, ReadsTrimmedValuesWithoutRegardToCase) {
  const TQuickIni ini =
      Ini("; comment\r\n"
          "  [ Buttons ]  \r\n"
          "  Bitmap   =   Buttons.bmp  \r\n"
          ";LeftWidth=9\n"
          "LEFTWIDTH=5\r"
          "Empty=\n"
          "TopHeight=1\n"
          "TopHeight=2\n"
          "noequals\n"
          "[Buttons]\n"
          "RightWidth=7\n"
          "[Other]\n"
          "Key = a = b\n");
  EXPECT_EQ(ini.ReadString("buttons", "bitmap", "-"), "-") << "the header keeps its inner blanks";
  EXPECT_EQ(ini.ReadString(" Buttons ", "bitmap", "-"), "Buttons.bmp");
  EXPECT_EQ(ini.ReadInteger(" Buttons ", "LeftWidth", 0), 5);
  EXPECT_EQ(ini.ReadString(" Buttons ", "Empty", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadInteger(" Buttons ", "TopHeight", 0), 1);
  EXPECT_EQ(ini.ReadString("Other", "KEY", ""), "a = b");
  // The second [Buttons] is a different header text here; a true repeat is shadowed.
  EXPECT_EQ(ini.ReadInteger("Buttons", "RightWidth", -1), 7);
  std::vector<std::string> sections;
  ini.ReadSections(&sections);
  EXPECT_EQ(sections, (std::vector<std::string>{"Buttons", "Buttons", "Other"}));
  EXPECT_THROW(ini.ReadSections(nullptr), std::logic_error);
}

TEST(QuickIni, RepeatedSectionIsNeverRead) {
  const TQuickIni ini = Ini("[Buttons]\nA=1\n[buttons]\nA=2\nB=3\n");
  EXPECT_EQ(ini.ReadInteger("Buttons", "A", 0), 1);
  EXPECT_EQ(ini.ReadInteger("Buttons", "B", 0), 0);
}

TEST(QuickIni, NulEndsTheText) {
  const TQuickIni ini = Ini(std::string("[S]\nA=1\0\nB=2\n", 13));
  EXPECT_EQ(ini.ReadInteger("S", "A", 0), 1);
  EXPECT_EQ(ini.ReadInteger("S", "B", 0), 0);
}

TEST(QuickIni, IntegerForms) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"0x1F", 31},       {"0X10", 16},
      {"0x", -7},         {"$FF", 255},
      {"-12", -12},       {"+3", 3},
      {"12abc", -7},      {"", -7},
      {"0xZZ", -7},       {"2147483647", 2147483647},
      {"2147483648", -7}, {"-2147483648", INT32_MIN},
      {"0xFFFFFFFF", -1}, {"$", -7},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(Ini("[S]\nK=" + text + "\n").ReadInteger("S", "K", -7), expected) << text;
}

TEST(QuickIni, MissingSectionOrStreamGivesDefaults) {
  TQuickIni ini = Ini("[A]\nK=1\n");
  EXPECT_EQ(ini.ReadString("B", "K", "d"), "d");
  ini.LoadFromStream(nullptr);
  EXPECT_EQ(ini.ReadInteger("A", "K", 0), 1);
  EXPECT_FALSE(Ini("").SectionExists("A"));
}

}  // namespace
}  // namespace velotune::skin
