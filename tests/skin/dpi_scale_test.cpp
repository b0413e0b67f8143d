// The scale every measure of the skin engine goes through, and the layouts
// that take it: at 96 dots per inch nothing moves; at other DPIs measures
// round to the nearest pixel, halves away from zero, and sizes read off the
// pictures scale from the picture set's own DPI.
#include "skin/paint/dpi_scale.h"

#include <gtest/gtest.h>

#include "skin/controls/tab_geometry.h"
#include "skin/menus/menu_logic.h"

namespace velotune::skin {
namespace {

TEST(DpiScale, RoundsMeasuresToTheNearestPixelAtEachDpi) {
  const DpiScale base;
  EXPECT_EQ(96, base.Dpi());
  for (int px : {-7, -1, 0, 1, 3, 16, 500}) EXPECT_EQ(px, base.Px(px)) << px;

  const DpiScale at125(120), at150(144), at200(192);
  EXPECT_EQ(1, at125.Px(1));    // 1.25
  EXPECT_EQ(4, at125.Px(3));    // 3.75
  EXPECT_EQ(-4, at125.Px(-3));  // the same distance the other way
  EXPECT_EQ(2, at150.Px(1));    // 1.5: a half goes up
  EXPECT_EQ(-2, at150.Px(-1));  // and away from zero below it
  EXPECT_EQ(24, at150.Px(16));
  EXPECT_EQ(1000, at200.Px(500));
  // A DPI the system could not tell is taken as 96.
  EXPECT_EQ(96, DpiScale(0).Dpi());
  EXPECT_EQ(5, DpiScale(-144).Px(5));
}

TEST(DpiScale, PictureSizesScaleFromThePictureSetsDpi) {
  // The one set the skin carries is drawn for 96: its sizes scale like measures.
  EXPECT_EQ(30, DpiScale(144).Art(20));
  // A set drawn for 192 shown at 192 keeps its sizes, at 144 shrinks to 3/4.
  const DpiScale doubleArt(192, 192), doubleArtAt150(144, 192);
  EXPECT_EQ(192, doubleArt.ArtDpi());
  EXPECT_EQ(40, doubleArt.Art(40));
  EXPECT_EQ(80, doubleArt.Px(40));
  EXPECT_EQ(30, doubleArtAt150.Art(40));
  EXPECT_EQ(5, doubleArtAt150.Art(7));  // 5.25
}

TEST(DpiScale, LayoutsKeepTheirPlacesAt96AndGrowWithTheScale) {
  const Rect display{10, 30, 110, 90};
  const Rect at96 = PaneRect(display, tsTop, DpiScale());
  EXPECT_EQ(6, at96.left);
  EXPECT_EQ(27, at96.top);  // grown by 4, then one pixel away from the tabs
  const Rect at192 = PaneRect(display, tsTop, DpiScale(192));
  EXPECT_EQ(2, at192.left);
  EXPECT_EQ(24, at192.top);
  EXPECT_EQ(118, at192.right);

  const Rect tab{40, 0, 100, 20};
  const Rect box = CloseBoxRect(tab, DpiScale(144));
  EXPECT_EQ(88, box.left);
  EXPECT_EQ(3, box.top);
  EXPECT_EQ(97, box.right);
  EXPECT_EQ(12, box.bottom);

  ItemContentInput in;
  in.rect = Rect{0, 0, 200, 30};
  in.glyphSize = 16;
  in.checked = true;
  in.captionHeight = 14;
  const ItemContentLayout plain = LayoutItemContent(in);
  EXPECT_EQ(1, plain.glyph.left);
  EXPECT_EQ(17, plain.glyph.right);
  EXPECT_EQ(20, plain.caption.left);
  EXPECT_EQ(190, plain.shortcut.right);
  in.scale = DpiScale(144);
  in.glyphSize = 24;
  const ItemContentLayout scaled = LayoutItemContent(in);
  EXPECT_EQ(2, scaled.glyph.left);
  EXPECT_EQ(26, scaled.glyph.right);
  EXPECT_EQ(31, scaled.caption.left);  // 3 pixels after the glyph become 5
  EXPECT_EQ(185, scaled.shortcut.right);

  EXPECT_EQ(100 + 12 + 23, SkinnedItemWidth(ItemMeasure::kPopupOrSystem, 100, 0, false));
  EXPECT_EQ(100 + 24 + 46,
            SkinnedItemWidth(ItemMeasure::kPopupOrSystem, 100, 0, false, DpiScale(192)));
}

}  // namespace
}  // namespace velotune::skin
