// The skin engine's painters and decisions over small inputs: frame cells,
// strips and regions; caption buttons, title and actions; which wrapper a
// control gets; which frame of a check strip shows.
#include <gtest/gtest.h>

#include "skin/controls/check_frames.h"
#include "skin/frame/frame_logic.h"
#include "skin/manager/wrap_rules.h"
#include "skin/paint/painters.h"

namespace velotune::skin {
namespace {

constexpr Pixel kRed = MakePixel(255, 0, 0), kGreen = MakePixel(0, 255, 0),
                kBlue = MakePixel(0, 0, 255), kWhite = MakePixel(255, 255, 255);

// A strip of `count` frames side by side (or stacked), frame k filled with colours[k].
Bitmap Strip(int cellW, int cellH, std::vector<Pixel> colours, bool stacked) {
  const int n = static_cast<int>(colours.size());
  Bitmap b(stacked ? cellW : cellW * n, stacked ? cellH * n : cellH);
  for (int k = 0; k < n; ++k)
    FillRect(b,
             stacked ? Rect{0, k * cellH, cellW, (k + 1) * cellH}
                     : Rect{k * cellW, 0, (k + 1) * cellW, cellH},
             colours[k]);
  return b;
}

TEST(Painters, NineGridPicksTheFrameAndTilesTheCentreFromTheTopLeft) {
  // Two stacked 4x4 frames; frame 2 has a 1-pixel border and a centre of two columns.
  Bitmap src = Strip(4, 4, {kRed, kBlue}, true);
  src.Set(1, 5, kGreen);  // centre column 1 of frame 2 green, column 2 stays blue
  src.Set(1, 6, kGreen);
  const Bitmap tiled = NineGrid(9, 6, src, {1, 1, 1, 1}, true, true, 2, 2);
  EXPECT_EQ(kBlue, tiled.At(0, 0));   // corner of frame 2, not frame 1
  EXPECT_EQ(kGreen, tiled.At(1, 1));  // the tiles start at the top-left
  EXPECT_EQ(kBlue, tiled.At(2, 1));
  EXPECT_EQ(kGreen, tiled.At(3, 1));  // and repeat every two columns
  EXPECT_EQ(kGreen, tiled.At(7, 3));  // the last tile is cut by the margin
  EXPECT_EQ(kBlue, tiled.At(8, 5));
  // Side by side: frame 2 of two; lower than the top and bottom margins together.
  const Bitmap side =
      NineGrid(5, 3, Strip(3, 3, {kRed, kWhite}, false), {1, 2, 1, 2}, false, false, 2, 2);
  EXPECT_EQ(kWhite, side.At(2, 1));
}

TEST(Painters, FrameCellStretchesOneFrameAndLeavesMagentaOut) {
  Bitmap src = Strip(2, 2, {kRed, kGreen, kBlue}, false);
  src.Set(2, 0, kMagentaPixel);
  src.Set(3, 1, MakePixel(255, 1, 255));  // near magenta counts too
  Bitmap dst(8, 4, 24, kWhite);
  DrawFrameCell(dst, {2, 0, 6, 4}, src, true, 3, 2);
  EXPECT_EQ(kWhite, dst.At(2, 0));  // magenta: untouched
  EXPECT_EQ(kGreen, dst.At(4, 0));
  EXPECT_EQ(kGreen, dst.At(2, 3));
  EXPECT_EQ(kWhite, dst.At(5, 3));  // near magenta, stretched to two by two
  EXPECT_EQ(kWhite, dst.At(1, 1));  // outside the rectangle
  EXPECT_EQ(kWhite, dst.At(6, 1));
}

TEST(Painters, ThreeSliceRepeatsTheMiddleAndDrawsTheRightEndOverTheOvershoot) {
  // One 7-pixel frame: left 1 red, middle 4 (green, blue, blue, blue), right 2 white.
  Bitmap src(7, 1);
  const Pixel row[7] = {kRed, kGreen, kBlue, kBlue, kBlue, kWhite, kWhite};
  for (int x = 0; x < 7; ++x) src.Set(x, 0, row[x]);
  Bitmap dst(14, 3, 24, MakePixel(9, 9, 9));
  // Middles start at 2, 6 and 10 (left of 13 - 2); the last overshoots.
  ThreeSlice(dst, {1, 0, 13, 3}, src, false, false, 1, 1, 1, 2);
  const Pixel expected[14] = {MakePixel(9, 9, 9),
                              kRed,
                              kGreen,
                              kBlue,
                              kBlue,
                              kBlue,
                              kGreen,
                              kBlue,
                              kBlue,
                              kBlue,
                              kGreen,
                              kWhite,
                              kWhite,
                              MakePixel(9, 9, 9)};
  for (int x = 0; x < 14; ++x) EXPECT_EQ(expected[x], dst.At(x, 2)) << x;
}

TEST(Painters, RegionRunsFollowOpaquePixelsRowByRowInBatches) {
  Bitmap b(5, 2, 24, kRed);
  b.Set(0, 0, kMagentaPixel);
  b.Set(2, 0, MakePixel(255, 1, 255));
  b.Set(4, 1, kMagentaPixel);
  const std::vector<Rect> runs = OpaqueRuns(b, 10, 20);
  ASSERT_EQ(3u, runs.size());
  EXPECT_EQ(11, runs[0].left);
  EXPECT_EQ(12, runs[0].right);
  EXPECT_EQ(20, runs[0].top);
  EXPECT_EQ(13, runs[1].left);
  EXPECT_EQ(15, runs[1].right);
  EXPECT_EQ(10, runs[2].left);
  EXPECT_EQ(14, runs[2].right);
  EXPECT_EQ(21, runs[2].top);
  std::vector<size_t> batches;
  ForEachBatch(std::vector<Rect>(4500), kRegionBatchSize,
               [&](const Rect*, size_t count) { batches.push_back(count); });
  EXPECT_EQ((std::vector<size_t>{2000, 2000, 500}), batches);
}

TEST(CaptionButtons, VisibilityFollowsTheWindowAndTheAction) {
  ButtonContext mainWindow;  // the main window: minimize box and system menu
  mainWindow.buttonSet = bsMinimizeBox | bsSystemMenu;
  mainWindow.active = true;
  // Maximize (2, 6): shown but disabled; restore (1): only when maximized.
  EXPECT_TRUE(IsButtonVisible(2, 6, 1, mainWindow).visible);
  EXPECT_FALSE(IsButtonVisible(2, 6, 1, mainWindow).enabled);
  EXPECT_TRUE(IsButtonVisible(8, 0, 2, mainWindow).enabled);
  EXPECT_FALSE(IsButtonVisible(1, 0, 1, mainWindow).visible);
  mainWindow.maximized = true;
  EXPECT_TRUE(IsButtonVisible(1, 0, 1, mainWindow).visible);
  EXPECT_FALSE(IsButtonVisible(2, 6, 1, mainWindow).visible);
  // -1 and unknown values are never visible; Visibility1 201 hides.
  EXPECT_FALSE(IsButtonVisible(-1, 0, 4, mainWindow).visible);
  EXPECT_FALSE(IsButtonVisible(0, -1, 4, mainWindow).visible);
  EXPECT_FALSE(IsButtonVisible(0, 201, 4, mainWindow).visible);
  EXPECT_TRUE(IsButtonVisible(201, 0, 4, mainWindow).visible);

  ButtonContext dialog;  // a dialog without system menu
  dialog.dialogFrame = true;
  EXPECT_FALSE(IsButtonVisible(0, 0, 0, dialog).visible);  // close needs the system menu
  EXPECT_FALSE(IsButtonVisible(0, 0, 3, dialog).visible);  // no icon on dialogs
  EXPECT_TRUE(IsButtonVisible(200, 0, 4, dialog).visible);
  dialog.messageBox = true;
  EXPECT_FALSE(IsButtonVisible(200, 0, 4, dialog).visible);
  dialog.buttonSet = bsContextHelp | bsSystemMenu;
  EXPECT_TRUE(IsButtonVisible(10, 10, 4, dialog).visible);
  int asked = 0;
  dialog.askForm = [&](int visibility, int action) {
    asked = visibility * 100 + action;
    return visibility == 1500 ? 1 : 0;
  };
  EXPECT_TRUE(IsButtonVisible(1500, 0, 7, dialog).visible);
  EXPECT_EQ(150007, asked);
  EXPECT_FALSE(IsButtonVisible(1200, 0, 7, dialog).visible);
}

TEST(CaptionButtons, LayoutPlacesCellsByAlignment) {
  CaptionGeometry g;
  g.windowWidth = 300;
  g.right = 4;
  g.top = 31;
  g.menuBar = 20;
  g.titleLeft = 50;
  g.titleRight = 120;
  g.menuBarLeftMargin = 3;
  auto box = [](int align, int x, int y) {
    ButtonBox b;
    b.visible = b.hasBitmap = true;
    b.bitmapWidth = 210;  // six 35x21 frames
    b.bitmapHeight = 21;
    b.frames = 6;
    b.align = align;
    b.x = x;
    b.y = y;
    return b;
  };
  std::vector<ButtonBox> boxes = {box(1, 40, 5), box(0, 8, 7),    box(2, 2, 1),
                                  box(3, 2, 1),  box(100, 30, 0), box(1, 69, 5)};
  boxes[5].visible = false;
  const std::vector<Rect> r = LayoutButtons(boxes, g);
  EXPECT_EQ(260, r[0].left);
  EXPECT_EQ(295, r[0].right);
  EXPECT_EQ(26, r[0].bottom);
  EXPECT_EQ(8, r[1].left);
  EXPECT_EQ(7, r[1].top);
  EXPECT_EQ(50 - 35 - 2, r[2].left);
  EXPECT_EQ(122, r[3].left);
  EXPECT_EQ(300 - 30 - 4 - 3, r[4].left);
  EXPECT_EQ(31 + (20 - 21) / 2, r[4].top);
  EXPECT_EQ(0, r[5].Width());
  EXPECT_EQ(40, RightButtonExtent(boxes));  // the hidden one at 69 does not count
}

TEST(CaptionTitle, AlignmentClipAndDialogOffsets) {
  TitleParams p;
  p.textShift = 16;
  p.textShiftVert = 2;
  p.textRightClip = 20;
  TitleInput in;
  in.captionLeft = 4;
  in.captionRight = 396;  // caption width 392
  in.captionHeight = 31;
  in.textWidth = 100;
  in.textHeight = 13;
  TitlePlace place = PlaceTitle(p, in);
  EXPECT_EQ(20, place.text.left);
  EXPECT_EQ(120, place.text.right);
  EXPECT_EQ(10, place.text.top);  // (31 - 13) / 2 + 2 / 2
  p.alignment = 1;
  EXPECT_EQ(4 + 146, PlaceTitle(p, in).text.left);
  p.alignment = 2;
  EXPECT_EQ(4 + 392 - 20 - 100, PlaceTitle(p, in).text.left);
  // A long title ends TextRightClip before the caption's right end.
  p.alignment = 0;
  in.textWidth = 500;
  EXPECT_EQ(376, PlaceTitle(p, in).text.right);
  // A popup window stops before its right buttons; a dialog has no icon.
  in.popup = true;
  in.rightExtent = 40;
  EXPECT_EQ(396 - 45, PlaceTitle(p, in).text.right);
  in.dialogFrame = true;
  EXPECT_EQ(4, PlaceTitle(p, in).text.left);
  // Right to left: against the right buttons, moved 10 pixels right.
  TitleInput rtl = in;
  rtl.popup = rtl.dialogFrame = false;
  rtl.rightToLeft = true;
  rtl.textWidth = 100;
  EXPECT_EQ(4 + 392 - 40 - 100 + 10, PlaceTitle(p, rtl).text.left);
  // The text sits inside the background's margins.
  p.backLeft = 5;
  p.backRight = 7;
  place = PlaceTitle(p, rtl);
  EXPECT_EQ(place.back.left + 5, place.text.left);
  EXPECT_EQ(place.back.right - 7, place.text.right);
}

TEST(CaptionButtons, FrameForStateEnabledAndActivity) {
  EXPECT_EQ(1, CaptionButtonFrame(0, 6, true, true, 1));
  EXPECT_EQ(4, CaptionButtonFrame(0, 6, true, false, 1));   // inactive window
  EXPECT_EQ(4, CaptionButtonFrame(0, 6, false, true, 1));   // disabled
  EXPECT_EQ(1, CaptionButtonFrame(0, 3, false, false, 1));  // too few frames for that
  EXPECT_EQ(3, CaptionButtonFrame(ncHover, 6, true, true, 1));
  EXPECT_EQ(2, CaptionButtonFrame(ncPressed, 6, true, true, 1));
  EXPECT_EQ(4, CaptionButtonFrame(ncHover, 6, false, true, 1));
  EXPECT_EQ(1, CaptionButtonFrame(ncHover, 3, false, true, 1));
  EXPECT_EQ(4, CaptionButtonFrame(ncHover, 4, true, true, 100));
}

TEST(CaptionButtons, ActionsHintsAndWidenedMessageBoxes) {
  ActionInput in;
  in.action = 1;
  EXPECT_EQ(ButtonEffect::kMaximize, RunButtonActionChoice(in));
  in.maximized = true;
  EXPECT_EQ(ButtonEffect::kRestore, RunButtonActionChoice(in));
  in.enabled = false;
  EXPECT_EQ(ButtonEffect::kNone, RunButtonActionChoice(in));
  in = ActionInput{};
  in.action = 23;
  in.minimized = true;
  EXPECT_EQ(ButtonEffect::kRestore, RunButtonActionChoice(in));
  in = ActionInput{};
  in.hasCloseItem = false;
  EXPECT_EQ(ButtonEffect::kNone, RunButtonActionChoice(in));
  in.action = 11;
  EXPECT_EQ(ButtonEffect::kSystemMenu, RunButtonActionChoice(in));
  in.action = 61;
  EXPECT_EQ(ButtonEffect::kMdiRestore, RunButtonActionChoice(in));
  in.action = 40;
  EXPECT_EQ(ButtonEffect::kPostAction, RunButtonActionChoice(in));

  EXPECT_EQ("Close", HintTextFor(62, false));
  EXPECT_EQ("Maximize", HintTextFor(1, false));
  EXPECT_EQ("Restore", HintTextFor(1, true));
  EXPECT_EQ("Minimize", HintTextFor(60, false));
  EXPECT_EQ("", HintTextFor(3, false));
  EXPECT_FALSE(HintShown(750, 500, 2500));
  EXPECT_TRUE(HintShown(1000, 500, 2500));
  EXPECT_TRUE(HintShown(3500, 500, 2500));
  EXPECT_FALSE(HintShown(3750, 500, 2500));

  FitInput fit;
  fit.clientWidth = 200;
  fit.clientHeight = 100;
  fit.frame = {4, 31, 4, 5};
  fit.messageBox = true;
  fit.textShift = 16;
  fit.textRightClip = 20;
  fit.captionTextWidth = 150;
  EXPECT_EQ(208, FitWindowSize(fit).width);
  EXPECT_EQ(136, FitWindowSize(fit).height);
  EXPECT_EQ(0, FitWindowSize(fit).childShift);
  fit.captionTextWidth = 222;
  EXPECT_EQ(258, FitWindowSize(fit).width);
  EXPECT_EQ(25, FitWindowSize(fit).childShift);
  EXPECT_EQ((FrameSizes{4, 31, 4, 5}.top),
            ComputeFrameSizes(bkFixed, {8, 100, 2}, {100, 62, 2}, {8, 100, 2}, {100, 10, 2}).top);
  EXPECT_EQ(
      0, ComputeFrameSizes(bkNoCaption, {8, 100, 2}, {100, 62, 2}, {8, 100, 2}, {100, 10, 2}).left);
}

WrapSettings Settings(EnumSet controls, std::vector<std::string> skin3rd = {}) {
  WrapSettings s;
  s.skinControls = controls;
  s.tabImages = true;
  s.skin3rd = std::move(skin3rd);
  return s;
}

ControlFacts Facts(const char* name, unsigned traits) {
  ControlFacts f;
  f.className = name;
  f.traits = traits;
  return f;
}

TEST(WrapChoice, TheFirstRuleWhoseConditionHoldsDecides) {
  const EnumSet all = AllOf(kSkinControlTypeCount);
  const WrapChoice box =
      ChooseWrapper(Facts("TCheckBox", ctCustomCheckBox | ctWindowed), Settings(all));
  EXPECT_EQ(6, box.rule);
  EXPECT_EQ(wkSkinCheckBox, box.wrapper);
  EXPECT_FALSE(box.fill);
  // A page control: tabs, or button-style tabs, or nothing without tab images.
  const ControlFacts pages =
      Facts("TPageControl", ctCustomTabControl | ctPageControl | ctTabsStyle | ctWindowed);
  EXPECT_EQ(wkSkinTab, ChooseWrapper(pages, Settings(all)).wrapper);
  ControlFacts buttons = pages;
  buttons.traits &= ~ctTabsStyle;
  EXPECT_EQ(wkSkinTabBtn, ChooseWrapper(buttons, Settings(all)).wrapper);
  WrapSettings noTabs = Settings(all);
  noTabs.tabImages = false;
  EXPECT_EQ(0, ChooseWrapper(pages, noTabs).rule);
  // Panels and group boxes wrap their children first; panels fill.
  const WrapChoice panel =
      ChooseWrapper(Facts("TPanel", ctCustomPanel | ctWindowed), Settings(all));
  EXPECT_EQ(22, panel.rule);
  EXPECT_TRUE(panel.fill && panel.childrenFirst);
  EXPECT_TRUE(ChooseWrapper(Facts("TGroupBox", ctCustomGroupBox | ctWindowed), Settings(all))
                  .childrenFirst);
  // A rich edit without scroll-bar skinning falls through to the edit rule.
  const ControlFacts rich = Facts("TRichEdit", ctCustomMemo | ctCustomEdit | ctWindowed);
  EXPECT_EQ(19, ChooseWrapper(rich, Settings(all)).rule);
  EXPECT_EQ(27, ChooseWrapper(rich, Settings(all & ~SetOf(xcScrollbar))).rule);
  // The main form does not skin status bars: nothing matches then.
  EXPECT_EQ(wkNone, ChooseWrapper(Facts("TStatusBar", ctCustomStatusBar | ctWindowed),
                                  Settings(all & ~SetOf(xcStatusBar)))
                        .wrapper);
  EXPECT_EQ(25, ChooseWrapper(Facts("TScrollBox", ctScrollBox | ctWindowed), Settings(all)).rule);
  EXPECT_TRUE(ChooseWrapper(Facts("TFrame1", ctCustomForm | ctWindowed), Settings(all)).ownedAfter);
  // Classes named by rules: by name alone, whatever their case.
  EXPECT_EQ(8, ChooseWrapper(Facts("TUpDown", ctWindowed), Settings(all)).rule);
  ControlFacts dcEdit = Facts("TDCEDIT", ctWindowed);
  dcEdit.numButtons = 1;
  EXPECT_EQ(wkSkinComBox, ChooseWrapper(dcEdit, Settings(all)).wrapper);
  dcEdit.numButtons = 0;
  EXPECT_TRUE(ChooseWrapper(dcEdit, Settings(all)).attachToWindow);
  dcEdit.numButtons = 2;
  EXPECT_EQ(0, ChooseWrapper(dcEdit, Settings(all)).rule);
  EXPECT_TRUE(ChooseWrapper(Facts("TfrPBox", ctWindowed), Settings(all)).leaveAlone);
}

TEST(WrapChoice, Skin3rdLinesComeFirstIgnoringCase) {
  const EnumSet all = AllOf(kSkinControlTypeCount);
  const std::vector<std::string> lines = {"TCategoryButtons=scrollbar", "TCheckBox=nil",
                                          "TLMDCheckGroup=CheckGroup", "TRzGroup=panel",
                                          "TOdd=sparkles"};
  EXPECT_EQ("scrollbar", *FindSkin3rdKind(lines, "tcategorybuttons"));
  EXPECT_FALSE(FindSkin3rdKind(lines, "TCategory").has_value());
  // "nil" keeps a check box unskinned although rule 6 would wrap it.
  const WrapChoice nil =
      ChooseWrapper(Facts("TCheckBox", ctCustomCheckBox | ctWindowed), Settings(all, lines));
  EXPECT_TRUE(nil.fromSkin3rd);
  EXPECT_EQ(wkNone, nil.wrapper);
  EXPECT_EQ(0, nil.rule);
  // A kind the mapping does not know, or whose condition fails, still counts.
  EXPECT_EQ(wkNone, ChooseWrapper(Facts("TODD", ctButton), Settings(all, lines)).wrapper);
  EXPECT_EQ(0, ChooseWrapper(Facts("TODD", ctButton), Settings(all, lines)).rule);
  const WrapChoice scroll =
      ChooseWrapper(Facts("TCategoryButtons", ctWindowed), Settings(all, lines));
  EXPECT_EQ(wkSkinScrollbar, scroll.wrapper);
  EXPECT_TRUE(scroll.childrenFirst);
  EXPECT_EQ(wkNone, ChooseWrapper(Facts("TCategoryButtons", ctWindowed),
                                  Settings(all & ~SetOf(xcScrollbar), lines))
                        .wrapper);
  const WrapChoice group = ChooseWrapper(Facts("TLMDCheckGroup", ctWindowed), Settings(all, lines));
  EXPECT_EQ(wkSkinCheckBox, group.childWrapper);
  EXPECT_EQ(wkSkinGroupBox, group.wrapper);
  const WrapChoice rz = ChooseWrapper(Facts("TRzGroup", ctWindowed), Settings(all, lines));
  EXPECT_TRUE(rz.setTransparent && rz.fill);
  EXPECT_EQ(wkSkinBox, rz.wrapper);
}

TEST(CheckStrips, FramesForEveryStateOfTwelveAndFourFrameStrips) {
  CheckFacts f;
  f.stateProperty = "cbUnchecked";
  EXPECT_EQ(1, CheckBoxFrame(f, 12));
  f.stateProperty = "cbChecked";
  EXPECT_EQ(5, CheckBoxFrame(f, 12));
  f.disabled = true;
  EXPECT_EQ(8, CheckBoxFrame(f, 12));
  EXPECT_EQ(4, CheckBoxFrame(f, 4));
  f.stateProperty = "cbUnchecked";
  EXPECT_EQ(4, CheckBoxFrame(f, 12));
  f.stateProperty = "cbGrayed";
  f.indeterminate = true;
  EXPECT_EQ(12, CheckBoxFrame(f, 12));
  f.disabled = false;
  EXPECT_EQ(9, CheckBoxFrame(f, 12));
  EXPECT_EQ(4, CheckBoxFrame(f, 4));
  // A foreign box: only its button state.
  CheckFacts plain;
  plain.checked = true;
  EXPECT_EQ(5, CheckBoxFrame(plain, 12));
  EXPECT_EQ(2, CheckBoxFrame(plain, 4));
  // A data-aware box shows what was last set.
  CheckFacts data;
  data.hasDataField = true;
  data.rememberedCheck = 3;
  EXPECT_EQ(4, CheckBoxFrame(data, 4));

  EXPECT_EQ(1, RadioButtonFrame(false, false, 8));
  EXPECT_EQ(5, RadioButtonFrame(true, false, 8));
  EXPECT_EQ(4, RadioButtonFrame(false, true, 8));
  EXPECT_EQ(8, RadioButtonFrame(true, true, 8));
  EXPECT_EQ(4, RadioButtonFrame(true, true, 4));
}

TEST(CheckStrips, ImageAndTextPlaces) {
  const CheckPlace left = PlaceCheckImage({0, 0, 100, 17}, 13, 13, false, false);
  EXPECT_EQ(0, left.image.left);
  EXPECT_EQ(2, left.image.top);
  EXPECT_EQ(15, left.text.left);
  const CheckPlace right = PlaceCheckImage({0, 0, 100, 17}, 13, 13, true, false);
  EXPECT_EQ(87, right.image.left);
  EXPECT_EQ(85, right.text.right);
  EXPECT_EQ(86, PlaceCheckImage({0, 0, 100, 17}, 13, 13, true, true).image.left);
}

}  // namespace
}  // namespace velotune::skin
