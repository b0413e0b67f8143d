#include "framework/text_values.h"

#include <gtest/gtest.h>

namespace velotune {
namespace {

TEST(TextValues, Colours) {
  TColor c;
  ASSERT_TRUE(ParseColorText("clGreen", &c));
  EXPECT_EQ(c, 0x008000);
  ASSERT_TRUE(ParseColorText("$0000FF00", &c));
  EXPECT_EQ(c, 0x00FF00);
  ASSERT_TRUE(ParseColorText("clBtnFace", &c));
  EXPECT_EQ(c, clBtnFace);
  ASSERT_TRUE(ParseColorText("-16777201", &c));
  EXPECT_EQ(c, clBtnFace);
  EXPECT_FALSE(ParseColorText("clPink", &c));
  EXPECT_EQ(ColorText(0x008000), "clGreen");
  EXPECT_EQ(ColorText(0x00FBFBFB), "$00FBFBFB");
}

TEST(TextValues, IntegersBoolsAndSets) {
  int v;
  EXPECT_TRUE(ParseIntText("-11", &v) && v == -11);
  EXPECT_TRUE(ParseIntText("$FF", &v) && v == 255);
  for (const char* bad : {"", "-", "1x", "$", "99999999999", "1.5"})
    EXPECT_FALSE(ParseIntText(bad, &v)) << bad;
  bool b;
  EXPECT_TRUE(ParseBoolText("True", &b) && b);
  EXPECT_TRUE(ParseBoolText("False", &b) && !b);
  EXPECT_FALSE(ParseBoolText("Yes", &b));
  std::vector<std::string> members;
  ASSERT_TRUE(ParseSetText("[fsBold, fsUnderline]", &members));
  EXPECT_EQ(members, (std::vector<std::string>{"fsBold", "fsUnderline"}));
  ASSERT_TRUE(ParseSetText("[]", &members));
  EXPECT_TRUE(members.empty());
  EXPECT_FALSE(ParseSetText("fsBold", &members));
  EXPECT_FALSE(ParseSetText("[a,,b]", &members));
  EXPECT_EQ(SetText({"a", "b"}), "[a,b]");
}

TEST(TextValues, ReplaceAllFillsEveryPlaceholderOnce) {
  EXPECT_EQ(ReplaceAll("Support \"%s\"", "%s", "Velotune"), "Support \"Velotune\"");
  EXPECT_EQ(ReplaceAll("%s and %s", "%s", "X"), "X and X");
  EXPECT_EQ(ReplaceAll("%S and %", "%s", "X"), "%S and %");
  // The filled-in text is not searched again.
  EXPECT_EQ(ReplaceAll("%s", "%s", "%s%s"), "%s%s");
  EXPECT_EQ(ReplaceAll("", "%s", "X"), "");
}

TEST(TextValues, ScaleRoundsToNearest) {
  EXPECT_EQ(ScaleRounded(790, 95, 100), 751);  // 750.5 rounds up
  EXPECT_EQ(ScaleRounded(648, 95, 100), 616);  // 615.6
  EXPECT_EQ(ScaleRounded(-11, 95, 100), -10);  // -10.45
  EXPECT_EQ(ScaleRounded(-4, 95, 100), -4);    // -3.8
  EXPECT_EQ(ScaleRounded(2147483647, 95, 100), 2040109465);
  EXPECT_EQ(ScaleRounded(7, 1, 0), 7);
}

}  // namespace
}  // namespace velotune
