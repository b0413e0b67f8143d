// The looks of push buttons, speed buttons, spins and edits over small
// inputs: which strip frame shows in each state, the caption's colour and
// place, the spin's halves, and where a spin inside an edit draws.
#include <gtest/gtest.h>

#include "skin/bitmap_ops.h"
#include "skin/controls/button_looks.h"
#include "skin/controls/spin_looks.h"

namespace velotune::skin {
namespace {

TEST(PushButtonLooks, FrameForEachStateWithDisabledOverAll) {
  // pressed, hover, focused or default, enabled
  EXPECT_EQ(pfNormal, PushButtonFrame(false, false, false, true));
  EXPECT_EQ(pfFocused, PushButtonFrame(false, false, true, true));
  EXPECT_EQ(pfHover, PushButtonFrame(false, true, true, true)) << "hover before focus";
  EXPECT_EQ(pfPressed, PushButtonFrame(true, true, true, true)) << "pressed before hover";
  EXPECT_EQ(pfDisabled, PushButtonFrame(true, true, true, false));
  EXPECT_EQ(pfDisabled, PushButtonFrame(false, false, true, false)) << "a disabled default";
  // down, held, hot, enabled, flat
  EXPECT_EQ(pfPressed, SpeedButtonFrame(true, false, true, true, false)) << "down";
  EXPECT_EQ(pfPressed, SpeedButtonFrame(false, true, false, true, true)) << "held";
  EXPECT_EQ(pfHover, SpeedButtonFrame(false, false, true, true, true));
  EXPECT_EQ(pfNormal, SpeedButtonFrame(false, false, false, true, false));
  EXPECT_EQ(0, SpeedButtonFrame(false, false, false, true, true)) << "a flat one at rest";
  EXPECT_EQ(pfDisabled, SpeedButtonFrame(true, false, false, false, true));
}

TEST(PushButtonLooks, CaptionColourTakesTheSecondColoursInTheirOrder) {
  const TColor own = RgbColour(0, 128, 0), disabled = RgbColour(172, 168, 153);
  TDataSkinButton skin("Buttons");
  EXPECT_EQ(own, PushButtonTextColour(own, skin, pfHover, true, disabled))
      << "no second colour: the button's own stays (green Boost)";
  skin.MouseOverColour2 = RgbColour(1, 2, 3);
  EXPECT_EQ(own, PushButtonTextColour(own, skin, pfHover, true, disabled))
      << "a colour whose key was not given is not used";
  skin.HasMouseOverColour2 = true;
  skin.NormalColour2 = RgbColour(9, 9, 9);
  skin.HasNormalColour2 = true;
  skin.PressedColour2 = RgbColour(7, 7, 7);
  skin.HasPressedColour2 = true;
  EXPECT_EQ(RgbColour(9, 9, 9), PushButtonTextColour(own, skin, pfNormal, true, disabled));
  EXPECT_EQ(RgbColour(9, 9, 9), PushButtonTextColour(own, skin, pfFocused, true, disabled));
  EXPECT_EQ(RgbColour(1, 2, 3), PushButtonTextColour(own, skin, pfHover, true, disabled));
  EXPECT_EQ(RgbColour(7, 7, 7), PushButtonTextColour(own, skin, pfPressed, true, disabled));
  EXPECT_EQ(disabled, PushButtonTextColour(own, skin, pfDisabled, false, disabled));
}

TEST(PushButtonLooks, CaptionBreaksAtTheFirstPairAndIsCentred) {
  EXPECT_EQ("Save\r\nChanges", BreakCaption("Save||Changes"));
  EXPECT_EQ("a\r\nb||c", BreakCaption("a||b||c"));
  EXPECT_EQ("a|b", BreakCaption("a|b"));
  EXPECT_EQ("\r\n|", BreakCaption("|||"));
  // Centred in the whole button, the odd pixel to the right and bottom.
  const Rect block = CentreBlock({0, 0, 75, 25}, 40, 13);
  EXPECT_EQ(17, block.left);
  EXPECT_EQ(6, block.top);
  EXPECT_EQ(57, block.right);
  EXPECT_EQ(19, block.bottom);
  // A caption wider than the button overflows on both sides alike.
  const Rect wide = CentreBlock({0, 0, 50, 20}, 60, 26);
  EXPECT_EQ(-5, wide.left);
  EXPECT_EQ(55, wide.right);
  EXPECT_EQ(-3, wide.top);
}

TEST(PushButtonLooks, FaceIsTheChosenFrameWithItsCornersKept) {
  // Five 6x5 frames, frame k filled with grey 10k and its top-left pixel magenta.
  TDataSkinButton skin("Buttons");
  skin.Map = Bitmap(30, 5);
  for (int k = 0; k < 5; ++k) {
    FillRect(skin.Map, {6 * k, 0, 6 * k + 6, 5}, MakePixel(10 * (k + 1), 0, 0));
    skin.Map.Set(6 * k, 0, kMagentaPixel);
    skin.Map.Set(6 * k + 5, 4, MakePixel(200, 0, 10 * (k + 1)));
  }
  skin.LeftWidth = skin.RightWidth = 2;
  skin.TopHeight = skin.BottomHeight = 1;
  const Bitmap face = PushButtonFace(skin, 40, 12, pfHover);
  EXPECT_EQ(kMagentaPixel, face.At(0, 0)) << "left for a transparent copy";
  EXPECT_EQ(MakePixel(40, 0, 0), face.At(20, 6));
  EXPECT_EQ(MakePixel(200, 0, 40), face.At(39, 11)) << "the corner is not stretched";
  EXPECT_EQ(MakePixel(40, 0, 0), face.At(38, 11));
}

TEST(SpinLooks, HalvesLooksAndFrames) {
  const SpinHalves vertical = SplitSpin({0, 0, 16, 21}, false);
  EXPECT_EQ(10, vertical.first.bottom);
  EXPECT_EQ(10, vertical.second.top);
  EXPECT_EQ(21, vertical.second.bottom);
  EXPECT_EQ(16, vertical.second.right);
  const SpinHalves horizontal = SplitSpin({2, 3, 33, 13}, true);
  EXPECT_EQ(17, horizontal.first.right);
  EXPECT_EQ(17, horizontal.second.left);
  EXPECT_EQ(3, horizontal.second.top);
  EXPECT_EQ(0, SpinHalfAt({0, 0, 16, 21}, false, 15, 9));
  EXPECT_EQ(1, SpinHalfAt({0, 0, 16, 21}, false, 0, 10));
  EXPECT_EQ(1, SpinHalfAt({2, 3, 33, 13}, true, 17, 0));
  // Pressed on one half only; disabled shows frames 3 and 7.
  EXPECT_EQ(2, SpinStripFrame(SpinLookOf(true, true), 0));
  EXPECT_EQ(5, SpinStripFrame(SpinLookOf(true, false), 1));
  EXPECT_EQ(6, SpinStripFrame(SpinLookOf(true, true), 1));
  EXPECT_EQ(3, SpinStripFrame(SpinLookOf(false, true), 0));
  EXPECT_EQ(7, SpinStripFrame(SpinLookOf(false, false), 1));
  // The arrow cell centred, the odd pixel to the right and bottom.
  const Rect cell = CentredCell({0, 10, 16, 21}, 7, 6);
  EXPECT_EQ(4, cell.left);
  EXPECT_EQ(12, cell.top);
}

TEST(SpinLooks, EmbeddedSpinKeepsThreePixelsInsideTheEditsEdges) {
  // An edit at (100, 50), 60 x 21; a spin over its right part, flush with
  // its top, bottom and right edges.
  const Rect edit{100, 50, 160, 71};
  const Rect flush = EmbeddedSpinArea({144, 50, 160, 71}, edit);
  EXPECT_EQ(3, flush.top);
  EXPECT_EQ(21 - 3, flush.bottom);
  EXPECT_EQ(16 - 3, flush.right);
  EXPECT_EQ(0, flush.left);
  // Inside the system's two-pixel edge: one more pixel each way.
  const Rect inside = EmbeddedSpinArea({142, 52, 158, 69}, edit);
  EXPECT_EQ(1, inside.top);
  EXPECT_EQ(16, inside.bottom);
  EXPECT_EQ(15, inside.right);
  // Well inside: drawn whole.
  const Rect clear = EmbeddedSpinArea({120, 55, 130, 65}, edit);
  EXPECT_EQ(0, clear.top);
  EXPECT_EQ(10, clear.bottom);
  EXPECT_EQ(10, clear.right);

  EXPECT_TRUE(EditHasBorder(46, 17, 50, 21));
  EXPECT_FALSE(EditHasBorder(50, 17, 50, 21)) << "as wide as the window";
  EXPECT_FALSE(EditHasBorder(46, 21, 50, 21));
}

}  // namespace
}  // namespace velotune::skin
