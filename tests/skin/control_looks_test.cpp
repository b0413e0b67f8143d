// The looks of push buttons, speed buttons and spins over small inputs:
// which strip frame shows in each state, the caption's colour and place, the
// spin's halves, and where a spin inside an edit draws.
#include <gtest/gtest.h>

#include "skin/controls/button_looks.h"
#include "skin/controls/spin_looks.h"

namespace velotune::skin {
namespace {

TEST(PushButtonLooks, FramesWithDisabledOverAllAndCaptionColoursInTheirOrder) {
  // pressed, hover, focused or default, enabled
  EXPECT_EQ(pfFocused, PushButtonFrame(false, false, true, true));
  EXPECT_EQ(pfHover, PushButtonFrame(false, true, true, true));
  EXPECT_EQ(pfPressed, PushButtonFrame(true, true, true, true));
  EXPECT_EQ(pfDisabled, PushButtonFrame(true, false, true, false)) << "a disabled default";
  // down, held, hot, enabled, flat
  EXPECT_EQ(pfPressed, SpeedButtonFrame(true, false, true, true, false));
  EXPECT_EQ(pfHover, SpeedButtonFrame(false, false, true, true, true));
  EXPECT_EQ(0, SpeedButtonFrame(false, false, false, true, true)) << "a flat one at rest";

  const TColor own = RgbColour(0, 128, 0), grey = RgbColour(172, 168, 153);
  TDataSkinButton skin("Buttons");
  skin.MouseOverColour2 = RgbColour(1, 2, 3);
  EXPECT_EQ(own, PushButtonTextColour(own, skin, pfHover, true, grey))
      << "a second colour whose key was not given is not used: GREEN Boost stays green";
  skin.HasMouseOverColour2 = skin.HasNormalColour2 = true;
  skin.NormalColour2 = RgbColour(9, 9, 9);
  EXPECT_EQ(RgbColour(9, 9, 9), PushButtonTextColour(own, skin, pfPressed, true, grey));
  EXPECT_EQ(RgbColour(1, 2, 3), PushButtonTextColour(own, skin, pfHover, true, grey));
  EXPECT_EQ(grey, PushButtonTextColour(own, skin, pfDisabled, false, grey));
}

TEST(PushButtonLooks, CaptionBreaksAtTheFirstPairOnlyAndIsCentred) {
  EXPECT_EQ("a\r\nb||c", BreakCaption("a||b||c"));
  EXPECT_EQ("a|b", BreakCaption("a|b"));
  const Rect block = CentreBlock({0, 0, 75, 25}, 40, 13);
  EXPECT_EQ(17, block.left) << "the odd pixel to the right";
  EXPECT_EQ(6, block.top);
  // A caption wider than the button overflows on both sides alike.
  EXPECT_EQ(-5, CentreBlock({0, 0, 50, 20}, 60, 26).left);
}

TEST(SpinLooks, HalvesFramesAndTheEmbeddedSpinsInset) {
  EXPECT_EQ(10, SplitSpin({0, 0, 16, 21}, false).second.top);
  EXPECT_EQ(17, SplitSpin({2, 3, 33, 13}, true).second.left);
  EXPECT_EQ(0, SpinHalfAt({0, 0, 16, 21}, false, 15, 9));
  EXPECT_EQ(1, SpinHalfAt({2, 3, 33, 13}, true, 17, 0));
  // Pressed on one half only; disabled shows frames 3 and 7.
  EXPECT_EQ(2, SpinStripFrame(SpinLookOf(true, true), 0));
  EXPECT_EQ(5, SpinStripFrame(SpinLookOf(true, false), 1));
  EXPECT_EQ(7, SpinStripFrame(SpinLookOf(false, true), 1));
  EXPECT_EQ(12, CentredCell({0, 10, 16, 21}, 7, 6).top);

  // An edit at (100, 50), 60 x 21; a spin flush with its right end, then one
  // inside the system's two-pixel edge, then one well inside.
  const Rect edit{100, 50, 160, 71};
  const Rect flush = EmbeddedSpinArea({144, 50, 160, 71}, edit);
  EXPECT_EQ(3, flush.top);
  EXPECT_EQ(18, flush.bottom);
  EXPECT_EQ(13, flush.right);
  const Rect inside = EmbeddedSpinArea({142, 52, 158, 69}, edit);
  EXPECT_EQ(1, inside.top);
  EXPECT_EQ(16, inside.bottom);
  EXPECT_EQ(15, inside.right);
  EXPECT_EQ(10, EmbeddedSpinArea({120, 55, 130, 65}, edit).bottom);
  EXPECT_FALSE(EditHasBorder(50, 17, 50, 21)) << "as wide as the window";
}

}  // namespace
}  // namespace velotune::skin
