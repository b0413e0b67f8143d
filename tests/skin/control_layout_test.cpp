// Where the skinned tabs, track channels, combo buttons and scroll-bar parts
// go, over small inputs: the image turns for each tab side, the strip of tabs
// composed lying flat and turned back, the text block's inset, the channel's
// three pieces, the combo button for each style and side, and the scroll-bar
// parts with their looks.
#include <gtest/gtest.h>

#include <vector>

#include "skin/controls/combo_layout.h"
#include "skin/controls/scroll_layout.h"
#include "skin/controls/tab_geometry.h"
#include "skin/controls/track_pieces.h"
#include "skin/data/bitmap_ops.h"

namespace velotune::skin {
namespace {

bool Same(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
#define EXPECT_RECT(l, t, r, b, actual) EXPECT_TRUE(Same(Rect{l, t, r, b}, actual)) << #actual

constexpr Pixel kA = MakePixel(1, 0, 0), kB = MakePixel(2, 0, 0), kC = MakePixel(3, 0, 0);

TEST(TabGeometry, ImagesAndTheirMarginsTurnToFaceAwayFromThePane) {
  // A 3x2 image: top row A B C, bottom row all zero.
  Bitmap image(3, 2, 24);
  image.Set(0, 0, kA);
  image.Set(1, 0, kB);
  image.Set(2, 0, kC);
  const Bitmap cw = TurnQuarter(image, true);  // the top row becomes the right column
  ASSERT_EQ(2, cw.Width());
  EXPECT_EQ(kA, cw.At(1, 0));
  EXPECT_EQ(kC, cw.At(1, 2));
  const Bitmap ccw = TurnQuarter(image, false);  // the top row becomes the left column
  EXPECT_EQ(kA, ccw.At(0, 2));
  EXPECT_EQ(kC, ccw.At(0, 0));
  EXPECT_EQ(kA, FlipVertical(image).At(0, 1));

  // The margins turn with their images.
  auto turned = [&](TabSide side) {
    Bitmap tab = image, pane = image;
    Margins tm{4, 3, 5, 0}, pm{2, 2, 4, 4};  // left, top, right, bottom
    TurnTabImages(side, tab, tm, pane, pm);
    return std::vector<int>{tab.At(0, 1) == kA, tm.top,   tm.bottom, pm.left, pm.top,
                            pm.right,           pm.bottom};
  };
  EXPECT_EQ((std::vector<int>{1, 0, 3, 2, 4, 4, 2}), turned(tsBottom));
  EXPECT_EQ((std::vector<int>{0, 3, 0, 2, 4, 4, 2}), turned(tsLeft));
  EXPECT_EQ((std::vector<int>{0, 3, 0, 4, 2, 2, 4}), turned(tsRight));
  EXPECT_EQ(tsTop, TabSideOfStyle(0));
  EXPECT_EQ(tsBottom, TabSideOfStyle(0x2));
  EXPECT_EQ(tsLeft, TabSideOfStyle(0x80 | 0x200));
  EXPECT_EQ(tsRight, TabSideOfStyle(0x82));
}

TEST(TabGeometry, PaneStripAndEachTabsPlaceForEverySide) {
  const Rect control{0, 0, 200, 120};
  Rect pane;
  // Left and right: the strip is composed lying flat, then turned; a tab
  // drawn into the flat strip comes back to its own place (on the right one
  // pixel higher).
  for (const TabSide side : {tsLeft, tsRight}) {
    pane = side == tsLeft ? PaneRect({28, 4, 196, 116}, side) : PaneRect({4, 4, 172, 116}, side);
    const Rect strip = StripRect(control, pane, side);
    EXPECT_EQ(side == tsLeft ? 25 : 175, side == tsLeft ? strip.right : strip.left);
    const StripSize flat = StripCanvasSize(strip, side);
    ASSERT_EQ(120, flat.width);
    ASSERT_EQ(25, flat.height);
    const Rect tab = side == tsLeft ? Rect{2, 10, 24, 50} : Rect{176, 10, 198, 50};
    const Rect inStrip = TabRectInStrip(side, tab, flat.width, control.right, pane.bottom);
    Bitmap canvas(flat.width, flat.height, 24);
    FillRect(canvas, inStrip, kA);
    const Bitmap turned = TurnQuarter(canvas, side == tsRight);
    const int shift = side == tsRight ? 1 : 0;
    for (int y = 0; y < turned.Height(); ++y)
      for (int x = 0; x < turned.Width(); ++x) {
        const int wx = x + strip.left, wy = y + strip.top;
        const bool inside =
            wx >= tab.left && wx < tab.right && wy >= tab.top - shift && wy < tab.bottom - shift;
        ASSERT_EQ(inside ? kA : 0u, turned.At(x, y)) << side << " at " << wx << "," << wy;
      }
  }
  EXPECT_RECT(52, 5, 58, 11, CloseBoxRect({10, 3, 60, 21}));
}

TEST(TabGeometry, TextBlockIsCentredButNeverLessThanOnePixelIn) {
  EXPECT_EQ(10, TabBlockOffset(60, 40, 0));
  EXPECT_EQ(5, TabBlockOffset(60, 34, 16));
  EXPECT_EQ(2, TabBlockOffset(40, 36, 0));
  EXPECT_EQ(1, TabBlockOffset(40, 38, 0));   // an offset of 1 stays
  EXPECT_EQ(1, TabBlockOffset(40, 40, 0));   // 0 becomes 1
  EXPECT_EQ(1, TabBlockOffset(40, 90, 16));  // too wide: 1 pixel in
}

TEST(TrackPieces, ThreePiecesAlongTheChannelWithTheImageCentredAcross) {
  // Horizontal: 16x4 image, ends of 3, in a channel 10 high.
  auto pieces = ChannelPieces({10, 20, 110, 30}, 16, 4, 3, 3, false);
  ASSERT_EQ(3u, pieces.size());
  EXPECT_RECT(10, 23, 13, 27, pieces[0].dst);
  EXPECT_RECT(0, 0, 3, 4, pieces[0].src);
  EXPECT_RECT(13, 23, 107, 27, pieces[1].dst);
  EXPECT_RECT(3, 0, 13, 4, pieces[1].src);
  EXPECT_RECT(107, 23, 110, 27, pieces[2].dst);
  EXPECT_RECT(13, 0, 16, 4, pieces[2].src);
  // Vertical: 4x16, ends of 2 and 5, centred in a channel 11 wide.
  pieces = ChannelPieces({20, 10, 31, 110}, 4, 16, 2, 5, true);
  ASSERT_EQ(3u, pieces.size());
  EXPECT_RECT(23, 10, 27, 12, pieces[0].dst);
  EXPECT_RECT(23, 12, 27, 105, pieces[1].dst);
  EXPECT_RECT(0, 2, 4, 11, pieces[1].src);
  EXPECT_RECT(23, 105, 27, 110, pieces[2].dst);
  // An image higher than the channel starts at its top; a channel shorter
  // than both ends has no middle, and the far end keeps its last column.
  pieces = ChannelPieces({0, 0, 4, 2}, 16, 4, 3, 3, false);
  ASSERT_EQ(2u, pieces.size());
  EXPECT_RECT(0, 0, 3, 4, pieces[0].dst);
  EXPECT_RECT(3, 0, 4, 4, pieces[1].dst);
  EXPECT_RECT(15, 0, 16, 4, pieces[1].src);
}

TEST(ComboLayout, ButtonForEachStyleAndSideAndTheFrameItShows) {
  // Flat: a 185x21 box, the system's thumb 17, strip frames of 15x16.
  FlatComboParts flat = FlatComboLayout(185, 21, false, 17, 15, 16);
  EXPECT_RECT(1, 1, 184, 20, flat.brushFrame);
  EXPECT_RECT(166, 2, 183, 19, flat.column);
  EXPECT_RECT(168, 2, 183, 18, flat.button);  // only as high as the strip
  flat = FlatComboLayout(185, 21, true, 17, 15, 20);
  EXPECT_RECT(2, 2, 19, 19, flat.column);
  EXPECT_RECT(2, 2, 17, 19, flat.button);
  // Sunk edge: arrows 17 wide.
  SunkComboParts sunk = SunkComboLayout(100, 21, false, 17);
  EXPECT_RECT(2, 2, 79, 19, sunk.inner);
  EXPECT_RECT(81, 0, 100, 21, sunk.button);
  EXPECT_RECT(81, 0, 98, 21, sunk.arrow);
  sunk = SunkComboLayout(100, 21, true, 17);
  EXPECT_RECT(21, 2, 98, 19, sunk.inner);
  EXPECT_RECT(0, 0, 19, 21, sunk.button);
  EXPECT_RECT(2, 0, 19, 21, sunk.arrow);

  EXPECT_EQ(2, ComboLook(true, true, false));  // pressed wins over hover
  EXPECT_EQ(3, ComboLook(true, true, true));   // disabled wins over everything
  EXPECT_EQ(3, ComboStripFrame(3, 4, false));
  EXPECT_EQ(2, ComboStripFrame(3, 4, true));  // the mirror holds its frames reversed
}

TEST(ScrollLayout, PartsFromTheSystemsThumbAndTheirLooks) {
  const Rect bar{100, 10, 117, 210};
  ScrollParts p = LayoutScrollBar(bar, true, 17, 50, 90);
  EXPECT_RECT(100, 10, 117, 27, p.arrowBack);
  EXPECT_RECT(100, 27, 117, 60, p.trackBack);
  EXPECT_RECT(100, 60, 117, 100, p.thumb);
  EXPECT_RECT(100, 100, 117, 193, p.trackForward);
  EXPECT_RECT(100, 193, 117, 210, p.arrowForward);
  EXPECT_EQ(spTrackBack, ScrollPartAt(p, 105, 59));
  EXPECT_EQ(spThumb, ScrollPartAt(p, 105, 60));
  EXPECT_EQ(spNone, ScrollPartAt(p, 117, 100));
  // Horizontal, no thumb: the track spans the arrows' gap.
  p = LayoutScrollBar({0, 50, 300, 67}, false, 17, 0, 0);
  EXPECT_RECT(17, 50, 283, 67, p.trackBack);
  EXPECT_EQ(0, p.thumb.Width());
  // A bar shorter than two arrows shares its length between them.
  p = LayoutScrollBar({0, 0, 17, 20}, true, 17, 0, 0);
  EXPECT_RECT(0, 0, 17, 10, p.arrowBack);
  EXPECT_RECT(0, 10, 17, 20, p.arrowForward);

  EXPECT_EQ(sbPressed, ScrollPartLook(spThumb, spArrowBack, spThumb, false));
  EXPECT_EQ(sbNormal, ScrollPartLook(spArrowBack, spArrowBack, spThumb, false));
  EXPECT_EQ(sbDisabled, ScrollPartLook(spThumb, spThumb, spThumb, true));
  EXPECT_EQ(1, ScrollArrowFrame(true, false, sbNormal));     // up
  EXPECT_EQ(7, ScrollArrowFrame(true, true, sbPressed));     // down
  EXPECT_EQ(10, ScrollArrowFrame(false, false, sbHover));    // left
  EXPECT_EQ(16, ScrollArrowFrame(false, true, sbDisabled));  // right
}

}  // namespace
}  // namespace velotune::skin
