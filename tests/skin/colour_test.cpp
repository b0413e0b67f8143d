#include "skin/colour.h"

#include <gtest/gtest.h>

namespace velotune::skin {
namespace {

TEST(Colour, MixWeightsAndScales) {
  // 15 % of the first colour and 85 % of the second, rounded.
  EXPECT_EQ(MixColour(RGB(200, 0, 100), RGB(0, 200, 100), 150), RGB(30, 170, 100));
  EXPECT_EQ(MixColour(RGB(255, 255, 255), RGB(0, 0, 0), 50), RGB(128, 128, 128));
  EXPECT_EQ(MixColour(RGB(10, 20, 30), RGB(90, 80, 70), 100), RGB(82, 74, 66));
}

TEST(Colour, SystemColoursResolveThroughTheQuery) {
  SetSystemColourQuery([](int index) { return index == kColorBtnFace ? RGB(1, 2, 3) : 0u; });
  EXPECT_EQ(ResolveColour(SystemColour(kColorBtnFace)), RGB(1, 2, 3));
  EXPECT_EQ(MixColour(SystemColour(kColorBtnFace), RGB(1, 2, 3), 150), RGB(1, 2, 3));
  SetSystemColourQuery(nullptr);
  EXPECT_EQ(ResolveColour(SystemColour(kColorWindowText)), RGB(0, 0, 0));
}

TEST(Colour, ColourTexts) {
  const std::vector<std::pair<std::string, TColor>> cases = {
      {"236 233 216", RGB(236, 233, 216)},
      {"236,233,216", RGB(236, 233, 216)},
      {" 236 , 233 ,216 ", RGB(236, 233, 216)},
      {"300 0 0", RGB(44, 0, 0)},
      {"12", RGB(12, 0, 0)},
      {"1 2 3 4", RGB(1, 2, 3)},
      {"r=1;g=2;b=3", RGB(1, 2, 3)},
      {"99999999999999999999 1 1", RGB(255, 1, 1)},  // (10^20 - 1) mod 256
      {"", RGB(9, 9, 9)},
      {"   ", RGB(9, 9, 9)},
      {"none", RGB(0, 0, 0)},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(ParseColourText(text, RGB(9, 9, 9)), expected) << text;
}

TEST(Colour, SaturationMeasure) {
  EXPECT_EQ(SaturationMeasure(RGB(100, 50, 20)), 200) << "no channel above 159";
  EXPECT_EQ(SaturationMeasure(RGB(0, 0, 0)), 200);
  EXPECT_EQ(SaturationMeasure(RGB(200, 200, 200)), 0);
  EXPECT_EQ(SaturationMeasure(RGB(255, 0, 0)), 255);
  EXPECT_EQ(SaturationMeasure(RGB(200, 100, 100)), 128);  // 0.5 * 255 = 127.5, to even
}

TEST(Colour, GradientRamp) {
  EXPECT_EQ(GradientRamp(1, RGB(0, 0, 0), RGB(100, 50, 10)), std::vector<TColor>{RGB(50, 25, 5)});
  const std::vector<TColor> up = GradientRamp(3, RGB(0, 0, 0), RGB(10, 10, 10));
  EXPECT_EQ(up, (std::vector<TColor>{RGB(0, 0, 0), RGB(5, 5, 5), RGB(10, 10, 10)}));
  const std::vector<TColor> down = GradientRamp(3, RGB(10, 10, 10), RGB(0, 0, 0));
  EXPECT_EQ(down.front(), RGB(10, 10, 10));
  // Integer division truncates toward zero, so a falling ramp stops one short.
  EXPECT_EQ(down, (std::vector<TColor>{RGB(10, 10, 10), RGB(6, 6, 6), RGB(1, 1, 1)}));
  EXPECT_TRUE(GradientRamp(0, 0, 0).empty());
  GradientRampCache cache;
  const std::vector<TColor>* first = &cache.Get(40, RGB(1, 1, 1), RGB(200, 200, 200));
  EXPECT_EQ(first, &cache.Get(40, RGB(1, 1, 1), RGB(200, 200, 200)));
  EXPECT_EQ(*first, GradientRamp(40, RGB(1, 1, 1), RGB(200, 200, 200)));
}

}  // namespace
}  // namespace velotune::skin
