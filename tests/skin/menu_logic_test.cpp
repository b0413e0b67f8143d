// The skinned menus' decisions over small inputs: where the bar's items lie,
// which item a key opens, the measure rules, where an item's glyph, caption
// and shortcut go, and the separator cut from the menu-item image.
#include "skin/menus/menu_logic.h"

#include <gtest/gtest.h>

namespace velotune::skin {
namespace {

constexpr Pixel kLine = MakePixel(10, 20, 30), kBack = MakePixel(250, 250, 250),
                kEdge = MakePixel(200, 0, 0), kFill = MakePixel(0, 0, 200);

TEST(MenuBar, ItemsStartAfterTheOffsetOfTheBarObjectAndMirrorRightToLeft) {
  const Rect strip{4, 31, 404, 50};  // 400 wide, 19 high
  const BarObject none, bar{true, 7, 9};
  EXPECT_EQ(6, MenuBarStart(400, none, false));
  EXPECT_EQ(6, MenuBarStart(400, none, true));
  EXPECT_EQ(11, MenuBarStart(400, bar, false));  // left margin + 4
  EXPECT_EQ(17, MenuBarStart(400, bar, true));   // right margin + 8
  EXPECT_EQ(12, MenuBarStart(10, bar, true)) << "a strip narrower than the offset";

  // File (30 wide), a hidden item, an item without caption, Edit (28 wide).
  const std::vector<BarItemFacts> items = {
      {true, 30, false}, {false, 50, false}, {true, 40, true}, {true, 28, false}};
  const std::vector<Rect> ltr = LayoutMenuBarItems(strip, 11, items, false);
  ASSERT_EQ(4u, ltr.size());
  EXPECT_EQ(15, ltr[0].left);
  EXPECT_EQ(55, ltr[0].right);  // caption + 10
  EXPECT_EQ(31, ltr[0].top);
  EXPECT_EQ(49, ltr[0].bottom) << "one row above the strip's bottom";
  EXPECT_EQ(0, ltr[1].Width());
  EXPECT_EQ(0, ltr[2].Width()) << "no room for an empty caption";
  EXPECT_EQ(55, ltr[3].left);
  EXPECT_EQ(93, ltr[3].right);

  const std::vector<Rect> rtl = LayoutMenuBarItems(strip, 17, items, true);
  EXPECT_EQ(387, rtl[0].right);  // strip right - offset
  EXPECT_EQ(347, rtl[0].left);
  EXPECT_EQ(347, rtl[3].right);
  EXPECT_EQ(309, rtl[3].left);
}

TEST(MenuBar, AcceleratorsAndArrowKeysChooseTheItemsThatCanOpen) {
  EXPECT_EQ(L'f', AcceleratorOf(L"&File"));
  EXPECT_EQ(L'x', AcceleratorOf(L"E&Xit"));
  EXPECT_EQ(L'a', AcceleratorOf(L"Save && &as"));
  EXPECT_EQ(0, AcceleratorOf(L"Tom && Jerry"));
  EXPECT_EQ(0, AcceleratorOf(L"Trailing&"));

  const std::vector<BarKeyFacts> bar = {{L"", true, true},       {L"&File", true, true},
                                        {L"&Edit", false, true}, {L"&View", true, false},
                                        {L"E&xtra", true, true}, {L"&Help", true, true}};
  EXPECT_EQ(1, FindAcceleratorItem(bar, L'F'));
  EXPECT_EQ(-1, FindAcceleratorItem(bar, L'e')) << "a hidden item has no accelerator";
  EXPECT_EQ(-1, FindAcceleratorItem(bar, L'v')) << "nor has a disabled one";
  EXPECT_EQ(4, FindAcceleratorItem(bar, L'x'));
  EXPECT_EQ(1, FindAcceleratorItem(bar, 0)) << "key 0: the first item with a caption";
  EXPECT_EQ(-1, FindAcceleratorItem(bar, L'q'));

  // File, Edit, View (disabled), Help, Go! (no popup).
  const std::vector<bool> openable = {true, true, false, true, false};
  EXPECT_EQ(1, NextOpenableItem(openable, 0, +1));
  EXPECT_EQ(3, NextOpenableItem(openable, 1, +1)) << "View is passed over";
  EXPECT_EQ(0, NextOpenableItem(openable, 3, +1)) << "from the last one round to the first";
  EXPECT_EQ(3, NextOpenableItem(openable, 0, -1)) << "and back from the first to the last";
  EXPECT_EQ(-1, NextOpenableItem({true, false}, 0, +1)) << "no other item can open";
}

TEST(MenuItems, MeasureAddsTheMarginAndTheGlyphRoomWithoutAnImageList) {
  EXPECT_EQ(100 + 2 + 12, SkinnedItemWidth(ItemMeasure::kPopupOrSystem, 100, 2, true));
  EXPECT_EQ(100 + 2 + 12 + 23, SkinnedItemWidth(ItemMeasure::kPopupOrSystem, 100, 2, false));
  EXPECT_EQ(100 + 10, SkinnedItemWidth(ItemMeasure::kMainMenuSub, 100, 0, true));
  EXPECT_EQ(100 + 2 + 10 + 25, SkinnedItemWidth(ItemMeasure::kMainMenuSub, 100, 2, false));
  const ItemSize text = ForeignItemSize(60, 13, false, 2);
  EXPECT_EQ(88, text.width);
  EXPECT_EQ(17, text.height);
  EXPECT_EQ(8, ForeignItemSize(3, 13, true, 0).height) << "a separator";
}

TEST(MenuItems, ContentLayoutPlacesGlyphCaptionAndShortcutAndMirrorsRightToLeft) {
  ItemContentInput in;
  in.rect = Rect{0, 20, 200, 40};
  in.itemLeftMargin = 2;
  in.glyphSize = 16;
  in.captionHeight = 14;
  const ItemContentLayout ltr = LayoutItemContent(in);
  ASSERT_TRUE(ltr.hasGlyph);
  EXPECT_EQ(3, ltr.glyph.left);  // left + 1 + margin
  EXPECT_EQ(21, ltr.glyph.top);
  EXPECT_EQ(19, ltr.glyph.right);
  EXPECT_EQ(22, ltr.caption.left);  // glyph right + 3
  EXPECT_EQ(199, ltr.caption.right);
  EXPECT_EQ(23, ltr.caption.top) << "centred vertically";
  EXPECT_EQ(190, ltr.shortcut.right) << "10 pixels before the right end";

  in.glyphSize = 12;
  in.checked = true;
  EXPECT_EQ(16, LayoutItemContent(in).glyph.Width()) << "a checked item's box is at least 16";

  in.checked = false;
  in.glyphSize = 16;
  in.rightToLeft = true;
  const ItemContentLayout rtl = LayoutItemContent(in);
  EXPECT_EQ(197, rtl.glyph.right);
  EXPECT_EQ(181, rtl.glyph.left);
  EXPECT_EQ(178, rtl.caption.right);
  EXPECT_EQ(1, rtl.caption.left);
  EXPECT_EQ(10, rtl.shortcut.left);

  in.separator = true;
  in.rightToLeft = false;
  EXPECT_FALSE(LayoutItemContent(in).hasGlyph);
}

// A menu-item image of five 6x10 frames, magenta but for: frame 2 a line in
// its row 7 with an edge pixel at each end, frame 4 filled with a framed box.
TDataSkinObject MenuItemImage() {
  TDataSkinObject image("MenuItem");
  image.Map = Bitmap(30, 10, 24, kMagentaPixel);
  for (int x = 6; x < 12; ++x) image.Map.Set(x, 7, kLine);
  image.Map.Set(6, 7, kEdge);
  image.Map.Set(11, 7, kEdge);
  FillRect(image.Map, {18, 0, 24, 10}, kEdge);
  FillRect(image.Map, {19, 1, 23, 9}, kFill);
  image.LeftWidth = image.RightWidth = 1;
  image.TopHeight = image.BottomHeight = 1;
  image.Trans = 1;
  image.Frame = 5;
  return image;
}

TEST(MenuItems, SeparatorIsCutFromTheBottomOfFrameTwoOverThePopupBackground) {
  const TDataSkinObject image = MenuItemImage();
  const Bitmap under(20, 4, 24, kBack);
  // A 4-high item takes the frame's last four rows: the line lands in row 1.
  const Bitmap separator = MenuItemBackground(under, image, false, true);
  EXPECT_EQ(kEdge, separator.At(0, 1)) << "the left margin at the left end";
  EXPECT_EQ(kEdge, separator.At(19, 1)) << "the right margin at the right end";
  for (int x = 1; x < 19; ++x) EXPECT_EQ(kLine, separator.At(x, 1)) << x;
  for (int x = 0; x < 20; ++x) {
    EXPECT_EQ(kBack, separator.At(x, 0)) << "magenta leaves the background";
    EXPECT_EQ(kBack, separator.At(x, 3));
  }
  // An item higher than the frame shows the whole frame, centred.
  const Bitmap tall = MenuItemBackground(Bitmap(8, 14, 24, kBack), image, false, true);
  EXPECT_EQ(kLine, tall.At(3, 9));
  EXPECT_EQ(kBack, tall.At(3, 8));
  // An item the system kept lower than the art's separator at this DPI gets
  // the art's bottom rows squeezed in: the line still shows, the margins at
  // the ends; an item as high as those rows is cut as before.
  const Bitmap low = MenuItemBackground(Bitmap(20, 2, 24, kBack), image, false, true, 6);
  EXPECT_EQ(kBack, low.At(10, 0));
  EXPECT_EQ(kLine, low.At(10, 1));
  EXPECT_EQ(kEdge, low.At(0, 1));
  EXPECT_EQ(kEdge, low.At(19, 1));
  EXPECT_EQ(separator, MenuItemBackground(under, image, false, true, 4));

  // A normal item is frame 1 (all magenta here): the background stays; a
  // selected one is frame 4 stretched over the item with its margins.
  EXPECT_EQ(under, MenuItemBackground(under, image, false, false));
  const Bitmap selected = MenuItemBackground(Bitmap(20, 8, 24, kBack), image, true, false);
  EXPECT_EQ(kEdge, selected.At(0, 0));
  EXPECT_EQ(kEdge, selected.At(19, 7));
  EXPECT_EQ(kFill, selected.At(10, 4));
}

}  // namespace
}  // namespace velotune::skin
