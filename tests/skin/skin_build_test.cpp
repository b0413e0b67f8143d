#include <gtest/gtest.h>

#include <cstring>

#include "skin/data/bitmap_ops.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_environment.h"
#include "skin_files.h"

namespace velotune::skin {
namespace {

using testing::Bytes;

class ShippedSkin : public ::testing::Test {
 protected:
  void SetUp() override {
    data_.SetStoredSkin(testing::ShippedSkinFile());
    ASSERT_TRUE(data_.LoadSkinStream());
  }
  TSkinData data_;
};

struct PartExpectation {
  SkinPart part;
  int width, height, frames;
  int left, top, right, bottom;
};

TEST_F(ShippedSkin, HasEveryPartWithItsFramesAndMargins) {
  EXPECT_FALSE(data_.SkinEmpty());
  EXPECT_EQ(data_.SkinName(), "Velotune");
  const PartExpectation parts[] = {
      {spProgressChunk, 69, 12, 0, 2, 2, 2, 2},
      {spTabs, 90, 18, 5, 4, 3, 5, 0},
      {spTabPane, 48, 48, 1, 2, 2, 4, 4},
      {spComboButton, 60, 16, 4, 0, 0, 0, 0},
      {spStatusBarEdges, 204, 21, 3, 50, 5, 17, 9},
      {spHeaderbar, 100, 18, 4, 1, 3, 2, 3},
      {spScrollbar, 391, 17, 23, 0, 0, 0, 0},
      {spHorzScrollThumb, 88, 17, 4, 5, 5, 5, 5},
      {spVertScrollThumb, 68, 22, 4, 5, 5, 5, 5},
      {spHorzScroll, 68, 17, 4, 0, 1, 0, 1},
      {spVertScroll, 68, 17, 4, 1, 0, 1, 0},
      {spMenuBackground, 20, 20, 1, 5, 5, 5, 5},
      {spMenuItem, 100, 18, 5, 2, 3, 2, 3},
      {spExtraImages, 80, 17, 5, 0, 0, 0, 0},
      {spThumbHorz, 55, 21, 5, 0, 0, 0, 0},
      {spThumbDown, 55, 21, 5, 0, 0, 0, 0},
      {spUpDownVert, 120, 16, 8, 0, 0, 0, 0},
      {spUpDownHorz, 120, 16, 8, 0, 0, 0, 0},
      {spTrack, 16, 4, 1, 3, 3, 3, 3},
      {spTrackVert, 4, 16, 1, 3, 3, 3, 3},
  };
  for (const PartExpectation& e : parts) {
    const TDataSkinObject* object = data_.Part(e.part);
    ASSERT_NE(object, nullptr) << kPartRows[e.part].section;
    EXPECT_EQ(object->Map.Width(), e.width) << object->Name;
    EXPECT_EQ(object->Map.Height(), e.height) << object->Name;
    EXPECT_EQ(object->Frame, e.frames) << object->Name;
    EXPECT_EQ(object->LeftWidth, e.left) << object->Name;
    EXPECT_EQ(object->TopHeight, e.top) << object->Name;
    EXPECT_EQ(object->RightWidth, e.right) << object->Name;
    EXPECT_EQ(object->BottomHeight, e.bottom) << object->Name;
  }
  for (SkinPart absent : {spMenuBar, spGroupBoxEdge, spGroupBox, spToolBars, spSunkEdge,
                          spThumbVert, spThumbLeft, spThumbRight, spThumbUp})
    EXPECT_EQ(data_.Part(absent), nullptr) << kPartRows[absent].section;
  EXPECT_EQ(data_.BorderPart(spUpDownVert)->Map2.Width(), 56);
  EXPECT_EQ(data_.BorderPart(spUpDownVert)->Map2.BitsPerPixel(), 8);
  EXPECT_EQ(data_.BorderPart(spUpDownHorz)->Map2.Height(), 7);
  EXPECT_EQ(data_.Part(spScrollbar)->Map.BitsPerPixel(), 32);
  // The combo button's mirror image.
  const TDataSkinBorder* combo = data_.BorderPart(spComboButton);
  EXPECT_EQ(combo->Map2, MirrorHorizontal(combo->Map));
  EXPECT_EQ(combo->Style, 1);
}

TEST_F(ShippedSkin, FrameEdgesGiveTheWindowFrame) {
  const int lengths[4] = {100, 100, 62, 10};
  for (int e = 0; e < 4; ++e) {
    const TDataSkinBorder& edge = data_.Edge(e);
    EXPECT_EQ(edge.Frame, 2) << edge.Name;
    EXPECT_EQ(edge.Tile, 1) << edge.Name;
    EXPECT_EQ(edge.Trans, e == 3 ? 0 : 1) << edge.Name;
    EXPECT_EQ(edge.Map.Height(), lengths[e]) << edge.Name;
  }
  EXPECT_EQ(data_.Edge(0).Map.Width() / data_.Edge(0).Frame, 4);
  EXPECT_EQ(data_.Edge(1).Map.Width() / data_.Edge(1).Frame, 4);
  EXPECT_EQ(data_.Edge(2).Map.Height() / data_.Edge(2).Frame, 31);
  EXPECT_EQ(data_.Edge(3).Map.Height() / data_.Edge(3).Frame, 5);
  EXPECT_EQ(data_.Edge(0).TopHeight, 31);
  EXPECT_EQ(data_.Edge(0).BottomHeight, 5);
  EXPECT_EQ(data_.Edge(2).LeftWidth, 32);
  EXPECT_EQ(data_.Edge(2).RightWidth, 32);
  EXPECT_EQ(data_.Edge(2).TopHeight, 0);
}

TEST_F(ShippedSkin, CaptionButtons) {
  const auto& buttons = data_.CaptionButtons();
  ASSERT_EQ(buttons.size(), 8u);  // five from the skin, three for MDI children
  struct Expect {
    const char* name;
    int action, align, x, y, visibility, visibility1, frames;
  };
  const Expect expected[] = {
      {"BUTTON0", 0, 1, 40, 5, 0, 0, 6}, {"BUTTON1", 1, 1, 69, 5, 2, 6, 6},
      {"BUTTON2", 2, 1, 95, 5, 8, 0, 6}, {"BUTTON3", 1, 1, 59, 5, 1, 0, 6},
      {"BUTTON4", 3, 0, 8, 7, 0, 0, 6},
  };
  for (size_t i = 0; i < 5; ++i) {
    const TDataSkinSysButton& b = *buttons[i];
    EXPECT_EQ(b.Name, expected[i].name);
    EXPECT_EQ(b.Action, expected[i].action) << b.Name;
    EXPECT_EQ(b.Align, expected[i].align) << b.Name;
    EXPECT_EQ(b.X, expected[i].x) << b.Name;
    EXPECT_EQ(b.Y, expected[i].y) << b.Name;
    EXPECT_EQ(b.Visibility, expected[i].visibility) << b.Name;
    EXPECT_EQ(b.Visibility1, expected[i].visibility1) << b.Name;
    EXPECT_EQ(b.Frame, expected[i].frames) << b.Name;
    EXPECT_EQ(b.CombineOp, -1) << b.Name;
    if (i < 4) {
      EXPECT_EQ(b.Map.Width() / b.Frame, 35) << b.Name;
      EXPECT_EQ(b.Map.Height(), 21) << b.Name;
    } else {
      EXPECT_TRUE(b.Map.Empty());
    }
  }
  for (size_t i = 0; i < 3; ++i) {
    const TDataSkinSysButton& b = *buttons[5 + i];
    EXPECT_EQ(b.Action, 7 + static_cast<int>(i));
    EXPECT_EQ(b.Align, 100);
    EXPECT_EQ(b.Visibility, 100);
    EXPECT_EQ(b.Frame, 4);
    EXPECT_EQ(b.Map.Width(), 4 * 13);
    EXPECT_EQ(b.X, 17 * (3 - static_cast<int>(i)));
  }
}

TEST_F(ShippedSkin, PushButtonsTitleColoursAndDerivedImages) {
  const TDataSkinButton& button = data_.Button();
  EXPECT_EQ(button.Frame, 5);
  EXPECT_EQ(button.Map.Width(), 100);
  EXPECT_EQ(button.LeftWidth, 5);
  EXPECT_EQ(button.TopHeight, 4);
  EXPECT_EQ(button.Trans, 1);
  EXPECT_EQ(button.CheckFrame, 12);
  EXPECT_EQ(button.RadioFrame, 8);
  EXPECT_EQ(button.CheckMap.Width(), 156);
  EXPECT_EQ(button.RadioMap.Width(), 104);
  EXPECT_FALSE(button.HasNormalColour2);
  EXPECT_EQ(button.NormalColour2, data_.Colour(ceButtonText));

  const TDataSkinTitle& title = data_.Title();
  EXPECT_EQ(title.Frame, 2);
  EXPECT_EQ(title.TextShift, 28);
  EXPECT_EQ(title.TextShiftVert, 2);
  EXPECT_EQ(title.TextRightClip, 20);
  EXPECT_EQ(title.FontHeight, 14);
  EXPECT_EQ(title.ActiveTextColour, TDataSkinTitle::kNoTextColour);

  ASSERT_NE(data_.Progress(), nullptr);
  EXPECT_EQ(data_.Progress()->Frame, 1);
  EXPECT_EQ(data_.Progress()->Style, 1);

  EXPECT_EQ(data_.FaceColour(), RgbColour(240, 242, 245));
  EXPECT_TRUE(data_.ColourGiven(ceButtonFace));
  EXPECT_FALSE(data_.ColourGiven(ceWindowText));
  EXPECT_EQ(data_.Colour(ceWindowText), SystemColour(kColorWindowText));
  EXPECT_EQ(data_.BrushColour(), data_.FaceColour());
  EXPECT_EQ(data_.CustomColour(3), kWhite);

  // No sunk edge: the arrow is the combo button with magenta turned to the face.
  const TDataSkinObject* arrow = data_.ComboxArrow();
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(arrow->Frame, 4);
  EXPECT_EQ(arrow->Map.Width(), 60);
  for (Pixel p : arrow->Map.Pixels()) EXPECT_NE(p, kMagentaPixel);

  // The frame colour is sampled from the caption; the toolbar runs from near
  // white down to a tint of it. The caption is dark (no channel above 159), so
  // its saturation measure is 200 and the tint is (5625 - 5000) / 140 + 50 = 54 %.
  const Bitmap& top = data_.Edge(2).Map;
  EXPECT_EQ(data_.FrameColour(), FromPixel(top.At(top.Width() / 3, 31 / 3)));
  const TDataSkinObject* toolbar = data_.Toolbar();
  ASSERT_NE(toolbar, nullptr);
  EXPECT_EQ(toolbar->Frame, 1);
  ASSERT_EQ(toolbar->Map.Width(), 10);
  ASSERT_EQ(toolbar->Map.Height(), 40);
  EXPECT_EQ(SaturationMeasure(data_.FrameColour()), 200);
  const std::vector<TColor> ramp = GradientRamp(40, MixColour(data_.FaceColour(), kWhite, 150),
                                                MixColour(data_.FrameColour(), kWhite, 54));
  for (int y = 0; y < 40; ++y) EXPECT_EQ(FromPixel(toolbar->Map.At(9, y)), ramp[y]) << y;
  EXPECT_EQ(FromPixel(toolbar->Map.At(0, 0)), MixColour(data_.FaceColour(), kWhite, 150));
}

// Skins written for a single rule each.
class BuiltSkin : public ::testing::Test {
 protected:
  void Build(const std::string& ini, std::vector<std::pair<std::string, Bitmap>> bitmaps = {}) {
    data_.SetStoredSkin(testing::PackSkin(ini, bitmaps));
    ASSERT_TRUE(data_.LoadSkinStream());
  }
  TSkinData data_;
};

TEST_F(BuiltSkin, CaptionButtonSectionRules) {
  Build(
      "[Buttons]\n[Button.Radio]\n[BUTTON]\n"
      "[ButtonDropped]\nAction=-1\n"
      "[ButtonKept]\nAction=-1\nVisibility=0\n"
      "[buttonMax]\nAction=1\nVisibility=2\nXcoord=70\nYcoord=4\n"
      "[ButtonHelp]\nAction=4\nXcoord=1\nYcoord=1\n"
      "[ButtonWide]\nButtonImage=wide.bmp\n"
      "[ButtonSquare]\nButtonImage=square.bmp\nAction=5\n",
      {{"wide.bmp", Bitmap(60, 10)}, {"square.bmp", Bitmap(30, 10)}});
  const auto& b = data_.CaptionButtons();
  ASSERT_EQ(b.size(), 5u + 3u);
  EXPECT_EQ(b[0]->Name, "BUTTONKEPT");
  EXPECT_EQ(b[0]->Visibility1, -1);
  EXPECT_EQ(b[0]->Frame, 6);
  EXPECT_EQ(b[1]->Name, "BUTTONMAX");
  EXPECT_EQ(b[2]->X, 70) << "takes the maximize button's place";
  EXPECT_EQ(b[2]->Y, 4);
  EXPECT_EQ(b[3]->Frame, 6) << "60 / 10 is above 3.8";
  EXPECT_EQ(b[4]->Frame, 3) << "30 / 10 is at most 3.8";
  // No MDI image: the MDI buttons have no bitmap.
  EXPECT_TRUE(b[5]->Map.Empty());
}

TEST_F(BuiltSkin, BitmapNamesAndFallbacks) {
  Build(
      "[Progress.Chunk]\nImage=C:\\art\\chunk.bmp\n"
      "[ExtraImages]\nImage=extra.BMP\n"
      "[Headerbar]\nImage=missing.bmp\n"
      "[Tab.Pane]\nImage=chunk.bmp\nLeftWidth=9\nTopHeight=3\nRightWidth=5\nBottomHeight=4\n"
      "[Buttons]\nBitmap=chunk.bmp\nTile=2\nNormalColour2=1,2,3\nCheckButton=chunk.bmp\n"
      "[Personality]\nTop=chunk.bmp\nTopFrame=2\nTopStretch=5\nmenuBar=chunk.bmp\nTileMenu=4\n"
      "[Track]\nImage=chunk.bmp\nLeftWidth=1\n"
      "[Colours]\nButtonFace=10 20 30\n"
      "[Colour1]\ncolor=1 1 1\n[COLOURS]\n[colour2]\n",
      {{"chunk.bmp", Bitmap(16, 20, 24, MakePixel(1, 2, 3))}});
  EXPECT_EQ(data_.Part(spProgressChunk)->Map.Width(), 16) << "directory dropped";
  EXPECT_TRUE(data_.Part(spExtraImages)->Map.Empty()) << "upper-case extension";
  ASSERT_NE(data_.Part(spHeaderbar), nullptr);
  EXPECT_TRUE(data_.Part(spHeaderbar)->Map.Empty());
  EXPECT_EQ(data_.Part(spHeaderbar)->Frame, 5);
  const TDataSkinObject* pane = data_.Part(spTabPane);
  EXPECT_EQ(pane->LeftWidth, 4);
  EXPECT_EQ(pane->TopHeight, 3);
  EXPECT_EQ(pane->RightWidth, 4);
  EXPECT_EQ(data_.Button().Tile, 0);
  EXPECT_TRUE(data_.Button().HasNormalColour2);
  EXPECT_EQ(data_.Button().NormalColour2, RgbColour(1, 2, 3));
  EXPECT_EQ(data_.Button().CheckFrame, 4) << "16 / 16, at least 4";
  EXPECT_EQ(data_.Edge(2).Tile, 1);
  EXPECT_EQ(data_.Part(spMenuBar)->Tile, 1);
  EXPECT_EQ(data_.Part(spMenuBar)->Frame, 2);
  EXPECT_EQ(data_.Part(spMenuBar)->LeftWidth, 1);
  EXPECT_EQ(data_.Part(spTrack)->Map.Width(), 16);
  EXPECT_EQ(data_.Part(spTrack)->LeftWidth, 1);
  EXPECT_EQ(data_.Part(spTrackVert)->Map.Height(), 16) << "the program's own image";
  EXPECT_EQ(data_.Colour(ceMenubar), RgbColour(10, 20, 30)) << "defaults to the face as read";
  EXPECT_EQ(data_.ColourList(),
            (std::vector<TColor>{RgbColour(1, 1, 1), SystemColour(kColorWindowText)}));
  EXPECT_EQ(data_.FrameColour(), RgbColour(1, 2, 3));
  EXPECT_EQ(data_.Progress(), nullptr);
}

TEST_F(BuiltSkin, ComboCompositeWithASunkEdge) {
  ActiveSkinEnvironment().horizontalScrollArrowWidth = 17;
  Bitmap sunk(40, 21, 24, MakePixel(10, 10, 10));
  Bitmap combo(60, 16, 24, MakePixel(200, 0, 0));
  Build(
      "[SunkEdge]\nImage=sunk.bmp\nTopHeight=2\nBottomHeight=3\nLeftWidth=2\nRightWidth=2\n"
      "[ComboButton]\nImage=combo.bmp\n",
      {{"sunk.bmp", sunk}, {"combo.bmp", combo}});
  const TDataSkinObject* button = data_.Part(spComboButton);
  const TDataSkinObject* edge = data_.Part(spSunkEdge);
  const int w = 19;
  ASSERT_EQ(button->Map.Width(), 200);
  ASSERT_EQ(button->Map.Height(), 21);
  EXPECT_EQ(button->Style, 2);
  EXPECT_EQ(button->LeftWidth, 2);
  EXPECT_EQ(button->RightWidth, w + 2);
  EXPECT_EQ(button->TopHeight, 2);
  EXPECT_EQ(button->BottomHeight, 3);
  EXPECT_EQ(edge->LeftWidth, w + 2);
  EXPECT_EQ(edge->RightWidth, 2);
  EXPECT_EQ(edge->Map, MirrorHorizontal(button->Map));
  for (int k = 0; k < 4; ++k) {
    const int x0 = 50 * k;
    EXPECT_EQ(button->Map.At(x0, 0), MakePixel(10, 10, 10)) << "sunk edge border, cell " << k;
    EXPECT_EQ(button->Map.At(x0 + 10, 10), kMagentaPixel) << "hollow middle, cell " << k;
    EXPECT_EQ(button->Map.At(x0 + 49, 10), MakePixel(200, 0, 0)) << "the button, cell " << k;
  }
  const TDataSkinObject* arrow = data_.ComboxArrow();
  EXPECT_EQ(arrow->Frame, 4);
  EXPECT_EQ(arrow->Map.Width(), 68);
  EXPECT_EQ(arrow->Map.Height(), 17);
  EXPECT_EQ(arrow->Map.At(8, 8), MakePixel(200, 0, 0));
}

// Parts that name the same bitmap share one decoded picture, and all the
// skin's pictures together decode to no more than its budget: a picture that
// would pass it loads empty, while a name met again costs nothing more.
TEST_F(BuiltSkin, BitmapsAreDecodedOnceWithinABudget) {
  // A 1-bit picture packs 32 pixels into a byte of its file, and its file
  // packs well: decoded it is far larger than the whole unpacked skin.
  const int side = 2048;
  Bytes huge(62, 0);
  const uint32_t header[] = {0, 0, 62, 40, side, side, 1 | (1 << 16), 0, 0, 0, 0, 2, 0};
  std::memcpy(huge.data() + 2, header, sizeof header);
  huge[0] = 'B';
  huge[1] = 'M';
  huge.resize(62 + side / 8 * side, 0);
  std::vector<skinpack::SkinItem> items = {{"small.bmp", Bitmap(30, 10).SaveToBmp()},
                                           {"huge.bmp", huge}};
  std::string ini = "[Tabs]\nImage=huge.bmp\n[MenuItem]\nImage=SMALL.bmp\n";
  for (int i = 0; i < 50; ++i)
    ini += "[Button" + std::to_string(i) + "]\nButtonImage=small.bmp\nAction=5\n";
  items.push_back({"skin.ini", testing::TextBytes(ini)});
  data_.SetStoredSkin(testing::PackItems(items));
  ASSERT_TRUE(data_.LoadSkinStream());
  Bitmap alone;
  ASSERT_TRUE(alone.LoadFromBmp(huge)) << "a valid picture, only too large for this skin";
  EXPECT_TRUE(data_.Part(spTabs)->Map.Empty());
  const Bitmap& first = data_.Part(spMenuItem)->Map;
  ASSERT_EQ(first.Width(), 30);
  ASSERT_EQ(data_.CaptionButtons().size(), 50u + 3u);
  for (int i = 0; i < 50; ++i)
    EXPECT_TRUE(data_.CaptionButtons()[i]->Map.SharesPixelsWith(first)) << i;
}

// Margins and places near the ends of the integer range saturate, so the
// painters' sums of them cannot overflow.
TEST_F(BuiltSkin, HugeMarginsAndPlacesSaturate) {
  Build(
      "[MenuItem]\nImage=m.bmp\nLeftWidth=2147483647\nRightWidth=2147483647\n"
      "TopHeight=-2147483648\n"
      "[Button0]\nXcoord=-2147483648\nYcoord=2147483647\n",
      {{"m.bmp", Bitmap(8, 8)}});
  const TDataSkinObject* item = data_.Part(spMenuItem);
  EXPECT_EQ(item->LeftWidth, Bitmap::kMaxSide);
  EXPECT_EQ(item->RightWidth, Bitmap::kMaxSide);
  EXPECT_EQ(item->TopHeight, 0);
  EXPECT_EQ(data_.CaptionButtons()[0]->X, -Bitmap::kMaxSide);
  EXPECT_EQ(data_.CaptionButtons()[0]->Y, Bitmap::kMaxSide);
}

TEST_F(BuiltSkin, EmptySkinGivesDefaults) {
  Build("");
  EXPECT_FALSE(data_.SkinEmpty());
  EXPECT_EQ(data_.CaptionButtons().size(), 3u);
  EXPECT_EQ(data_.Colour(ceButtonFace), SystemColour(kColorBtnFace));
  EXPECT_EQ(data_.FrameColour(), SystemColour(kColorBtnFace));
  EXPECT_EQ(data_.Button().RadioFrame, 4);
  EXPECT_EQ(data_.Title().FontHeight, 14);
  EXPECT_EQ(data_.Edge(0).Frame, 1);
  EXPECT_EQ(data_.Edge(0).Trans, 1);
  EXPECT_NE(data_.Part(spTrack), nullptr);
  EXPECT_EQ(data_.Part(spTabs), nullptr);
}

TEST_F(BuiltSkin, ColourTableEntriesAndTheirDefaults) {
  struct Entry {
    int index;
    const char* key;
    TColor fallback;  // a system colour by its COLOR_* index
  };
  const Entry entries[] = {
      {0, "WindowText", SystemColour(8)},
      {1, "TitleTextActive", SystemColour(9)},
      {2, "TitleTextNoActive", SystemColour(19)},
      {3, "ButtonFace", SystemColour(15)},
      {4, "ButtonText", SystemColour(18)},
      {5, "ButtonHilight", SystemColour(20)},
      {6, "Buttonlight", SystemColour(20)},
      {7, "ButtonShadow", SystemColour(16)},
      {8, "ButtonDkShadow", SystemColour(21)},
      {11, "HilightText", SystemColour(14)},
      {12, "Hilight", SystemColour(13)},
      {13, "Menubar", SystemColour(15)},
      {14, "MenuBarText", SystemColour(7)},
      {15, "MenuText", SystemColour(7)},
      {16, "Menu", SystemColour(4)},
      {18, "Scrollbar", SystemColour(0)},
  };
  Build("");
  for (const Entry& e : entries) {
    EXPECT_EQ(data_.Colour(e.index), e.fallback) << e.key;
    EXPECT_FALSE(data_.ColourGiven(e.index)) << e.key;
  }
  // Each key fills its own entry.
  std::string ini = "[Colours]\n";
  for (const Entry& e : entries)
    ini += std::string(e.key) + "=" + std::to_string(e.index) + " 1 2\n";
  Build(ini);
  for (const Entry& e : entries) {
    EXPECT_EQ(data_.Colour(e.index), RgbColour(e.index, 1, 2)) << e.key;
    EXPECT_TRUE(data_.ColourGiven(e.index)) << e.key;
  }
}

TEST_F(BuiltSkin, RebuildDropsPartsOfTheEarlierSkin) {
  Build("[Tabs]\nImage=t.bmp\n[ComboButton]\nImage=t.bmp\n", {{"t.bmp", Bitmap(10, 10)}});
  ASSERT_NE(data_.Part(spTabs), nullptr);
  const TDataSkinObject* arrow = data_.ComboxArrow();
  EXPECT_FALSE(arrow->Map.Empty());
  Build("");
  EXPECT_EQ(data_.Part(spTabs), nullptr);
  EXPECT_EQ(data_.ComboxArrow(), arrow) << "the arrow object is kept";
  EXPECT_TRUE(arrow->Map.Empty());
}

}  // namespace
}  // namespace velotune::skin
