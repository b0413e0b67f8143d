#include "skin/data/colour.h"

#include <gtest/gtest.h>

namespace velotune::skin {
namespace {

TEST(Colour, MixWeightsAndScales) {
  // 15 % of the first colour and 85 % of the second, rounded.
  EXPECT_EQ(MixColour(RgbColour(200, 0, 100), RgbColour(0, 200, 100), 150),
            RgbColour(30, 170, 100));
  EXPECT_EQ(MixColour(RgbColour(255, 255, 255), RgbColour(0, 0, 0), 50), RgbColour(128, 128, 128));
  EXPECT_EQ(MixColour(RgbColour(10, 20, 30), RgbColour(90, 80, 70), 100), RgbColour(82, 74, 66));
}

TEST(Colour, SystemColoursResolveThroughTheQuery) {
  SetSystemColourQuery([](int index) { return index == kColorBtnFace ? RgbColour(1, 2, 3) : 0u; });
  EXPECT_EQ(ResolveColour(SystemColour(kColorBtnFace)), RgbColour(1, 2, 3));
  EXPECT_EQ(MixColour(SystemColour(kColorBtnFace), RgbColour(1, 2, 3), 150), RgbColour(1, 2, 3));
  SetSystemColourQuery(nullptr);
  EXPECT_EQ(ResolveColour(SystemColour(kColorWindowText)), RgbColour(0, 0, 0));
}

TEST(Colour, ColourTexts) {
  const std::vector<std::pair<std::string, TColor>> cases = {
      {"236 233 216", RgbColour(236, 233, 216)},
      {"236,233,216", RgbColour(236, 233, 216)},
      {" 236 , 233 ,216 ", RgbColour(236, 233, 216)},
      {"300 0 0", RgbColour(44, 0, 0)},
      {"12", RgbColour(12, 0, 0)},
      {"1 2 3 4", RgbColour(1, 2, 3)},
      {"r=1;g=2;b=3", RgbColour(1, 2, 3)},
      {"99999999999999999999 1 1", RgbColour(255, 1, 1)},  // (10^20 - 1) mod 256
      {"", RgbColour(9, 9, 9)},
      {"   ", RgbColour(9, 9, 9)},
      {"none", RgbColour(0, 0, 0)},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(ParseColourText(text, RgbColour(9, 9, 9)), expected) << text;
}

TEST(Colour, SaturationMeasure) {
  EXPECT_EQ(SaturationMeasure(RgbColour(100, 50, 20)), 200) << "no channel above 159";
  EXPECT_EQ(SaturationMeasure(RgbColour(0, 0, 0)), 200);
  EXPECT_EQ(SaturationMeasure(RgbColour(200, 200, 200)), 0);
  EXPECT_EQ(SaturationMeasure(RgbColour(255, 0, 0)), 255);
  EXPECT_EQ(SaturationMeasure(RgbColour(200, 100, 100)), 128);  // 0.5 * 255 = 127.5, to even
}

TEST(Colour, GradientRamp) {
  EXPECT_EQ(GradientRamp(1, RgbColour(0, 0, 0), RgbColour(100, 50, 10)),
            std::vector<TColor>{RgbColour(50, 25, 5)});
  const std::vector<TColor> up = GradientRamp(3, RgbColour(0, 0, 0), RgbColour(10, 10, 10));
  EXPECT_EQ(up,
            (std::vector<TColor>{RgbColour(0, 0, 0), RgbColour(5, 5, 5), RgbColour(10, 10, 10)}));
  const std::vector<TColor> down = GradientRamp(3, RgbColour(10, 10, 10), RgbColour(0, 0, 0));
  EXPECT_EQ(down.front(), RgbColour(10, 10, 10));
  // Integer division truncates toward zero, so a falling ramp stops one short.
  EXPECT_EQ(down,
            (std::vector<TColor>{RgbColour(10, 10, 10), RgbColour(6, 6, 6), RgbColour(1, 1, 1)}));
  EXPECT_TRUE(GradientRamp(0, 0, 0).empty());
  GradientRampCache cache;
  const std::vector<TColor>* first = &cache.Get(40, RgbColour(1, 1, 1), RgbColour(200, 200, 200));
  EXPECT_EQ(first, &cache.Get(40, RgbColour(1, 1, 1), RgbColour(200, 200, 200)));
  EXPECT_EQ(*first, GradientRamp(40, RgbColour(1, 1, 1), RgbColour(200, 200, 200)));
}

}  // namespace
}  // namespace velotune::skin
