// The kit's layout work on a plain form model: loading, rescaling, the name
// lists, fonts, and controls added or removed at run time.
#include "resize/layout.h"

#include <gtest/gtest.h>

namespace velotune {
namespace {

ControlModel Control(const std::string& name, KitBounds bounds, int fontSize = 8,
                     bool parentFont = false) {
  ControlModel c;
  c.name = name;
  c.bounds = bounds;
  c.fontSize = fontSize;
  c.parentFont = parentFont;
  return c;
}

// A form drawn at 790 x 648 client, 96 ppi, like the main window.
struct KitFixture : ::testing::Test {
  FormModel form;
  KitLayout layout;
  LayoutSettings settings;

  void SetUp() override {
    form.name = "TweakFrm";
    form.fontSize = 8;
    form.components = {
        Control("title", {-4, 0, 798, 57}, 14),
        Control("Panel2", {0, 585, 790, 63}, 8),
        Control("Save1", {12, 10, 75, 25}, 8, true),
        Control("cpr", {300, 620, 200, 13}, 7),
    };
    ControlModel timer;
    timer.name = "Timer1";
    timer.isControl = false;
    form.components.push_back(timer);
    ControlModel line;  // a shape: no font of its own
    line.name = "Bevel1";
    line.hasFont = false;
    line.bounds = {5, 5, 100, 2};
    form.components.push_back(line);
    settings.designFrmW = 790;
    settings.designFrmH = 648;
    settings.designDpiW = 96;
    settings.designDpiH = 96;
  }

  ControlModel& C(const std::string& name) {
    for (ControlModel& c : form.components)
      if (c.name == name) return c;
    throw std::out_of_range(name);
  }
};

TEST_F(KitFixture, LoadAtDesignDensityKeepsTheDesignAndRecordsOnlyControls) {
  LoadLayout(form, layout, settings, 96, 96);
  ASSERT_EQ(layout.ctrlInfos.size(), 5u);
  EXPECT_EQ(layout.knownComponentCount, 6);
  EXPECT_EQ(layout.formFontSize, 8);
  EXPECT_EQ(layout.Find("title")->base, (KitBounds{-4, 0, 798, 57}));
  EXPECT_EQ(layout.Find("title")->baseFontSize, 14);
  EXPECT_EQ(layout.Find("Timer1"), nullptr);
  const CtrlInfo* bevel = layout.Find("Bevel1");
  EXPECT_FALSE(bevel->hasBaseFont);
  EXPECT_TRUE(bevel->parentFontNow && bevel->parentFontKnown);
}

TEST_F(KitFixture, RescaleAtDesignSizeReproducesTheDesignExceptZerosAndNegativeHalves) {
  LoadLayout(form, layout, settings, 96, 96);
  RescaleLayout(form, layout, settings, 790, 648);
  EXPECT_DOUBLE_EQ(layout.xScale, 1.0);
  EXPECT_DOUBLE_EQ(layout.yScale, 1.0);
  EXPECT_TRUE(layout.sized);
  // The banner at left -4 ends at -3; a top of 0 becomes 1.
  EXPECT_EQ(C("title").bounds, (KitBounds{-3, 1, 798, 57}));
  EXPECT_EQ(C("Panel2").bounds, (KitBounds{1, 585, 790, 63}));
  EXPECT_EQ(C("Save1").bounds, (KitBounds{12, 10, 75, 25}));
  EXPECT_EQ(C("title").fontSize, 14);
  EXPECT_EQ(form.fontSize, 8);
  EXPECT_EQ(layout.Find("Panel2")->last, C("Panel2").bounds);
}

TEST_F(KitFixture, ScalesBoundsByEachAxisAndFontsByTheSmallerRatio) {
  LoadLayout(form, layout, settings, 96, 96);
  RescaleLayout(form, layout, settings, 1185, 486);  // 1.5 wide, 0.75 high
  EXPECT_DOUBLE_EQ(layout.xScale, 1.5);
  EXPECT_DOUBLE_EQ(layout.yScale, 0.75);
  EXPECT_DOUBLE_EQ(layout.fontScale, 0.75);
  EXPECT_EQ(C("Save1").bounds, (KitBounds{18, 8, 113, 19}));   // 112.5 -> 113, 18.75 -> 19
  EXPECT_EQ(C("title").bounds, (KitBounds{-5, 1, 1197, 43}));  // -6 + .5 -> -5
  EXPECT_EQ(C("title").fontSize, 10);                          // 10.5 truncated
  EXPECT_EQ(C("cpr").fontSize, 5);                             // 5.25
  EXPECT_EQ(form.fontSize, 6);                                 // the form rounds: 6.0
  EXPECT_EQ(layout.Find("title")->lastFontSize, 10);
  // Back to the design size from the base values: nothing accumulated.
  RescaleLayout(form, layout, settings, 593, 1000);
  RescaleLayout(form, layout, settings, 790, 648);
  EXPECT_EQ(C("Save1").bounds, (KitBounds{12, 10, 75, 25}));
  EXPECT_EQ(C("title").fontSize, 14);
}

TEST_F(KitFixture, TinySizesKeepEveryCoordinateAndFontAtLeastOne) {
  LoadLayout(form, layout, settings, 96, 96);
  RescaleLayout(form, layout, settings, 10, 10);
  EXPECT_EQ(C("cpr").fontSize, 1);
  EXPECT_EQ(C("Save1").bounds, (KitBounds{1, 1, 1, 1}));
  EXPECT_EQ(ScaledFontSize(0, 2.0), 1);
  EXPECT_EQ(ScaledFontSize(-9, 0.5), -4);
}

TEST_F(KitFixture, NameListsExemptControlsAndTheFormIgnoringCase) {
  settings.noResize = ParseNameList("SAVE1");
  settings.noResizeFnt = ParseNameList("title;tweakfrm;cpr ");
  LoadLayout(form, layout, settings, 96, 96);
  EXPECT_EQ(layout.Find("Save1"), nullptr);
  RescaleLayout(form, layout, settings, 1580, 1296);
  EXPECT_EQ(C("Save1").bounds, (KitBounds{12, 10, 75, 25}));
  EXPECT_EQ(C("Save1").fontSize, 8);
  EXPECT_EQ(C("title").bounds, (KitBounds{-7, 1, 1596, 114}));
  EXPECT_EQ(C("title").fontSize, 14);
  EXPECT_EQ(form.fontSize, 8);
  EXPECT_EQ(C("cpr").fontSize, 14);  // "cpr " with its blank names no control

  settings.resizeFont = false;
  RescaleLayout(form, layout, settings, 395, 324);
  EXPECT_EQ(C("cpr").fontSize, 14);
  EXPECT_EQ(C("cpr").bounds, (KitBounds{150, 310, 100, 7}));
}

TEST_F(KitFixture, HigherScreenDensityConvertsFontsAndBoundsAtLoad) {
  LoadLayout(form, layout, settings, 120, 120);  // q = 0.8
  EXPECT_EQ(form.fontSize, 10);
  EXPECT_EQ(C("title").fontSize, 18);  // 17.5 -> 18
  EXPECT_EQ(C("Save1").fontSize, 8);   // takes its parent's font: untouched
  EXPECT_EQ(C("Save1").bounds, (KitBounds{15, 13, 94, 31}));
  EXPECT_EQ(C("title").bounds, (KitBounds{-4, 0, 998, 71}));  // -5 + .5 -> -4
  EXPECT_EQ(layout.Find("Save1")->base, C("Save1").bounds);
  // At the design client size the client is 0.8 of the loaded layout.
  RescaleLayout(form, layout, settings, 988, 810);
  EXPECT_NEAR(layout.xScale, 1.0, 0.002);
}

TEST_F(KitFixture, FixedBorderFormWithoutSizeKeepsDesignPositions) {
  form.border = FormBorder::kDialog;
  LoadLayout(form, layout, settings, 120, 120);
  EXPECT_EQ(C("Save1").bounds, (KitBounds{12, 10, 75, 25}));
  EXPECT_EQ(form.fontSize, 10);  // fonts still follow the density

  FormModel maximizedNone = form;
  maximizedNone.border = FormBorder::kNone;
  maximizedNone.maximized = true;
  for (ControlModel& c : maximizedNone.components)
    if (c.name == "Save1") c.bounds = {12, 10, 75, 25};
  KitLayout other;
  LoadLayout(maximizedNone, other, settings, 120, 120);
  EXPECT_EQ(other.Find("Save1")->base, (KitBounds{15, 13, 94, 31}));

  FormModel sized = maximizedNone;
  sized.border = FormBorder::kDialog;
  sized.maximized = false;
  for (ControlModel& c : sized.components)
    if (c.name == "Save1") c.bounds = {12, 10, 75, 25};
  LayoutSettings withSize = settings;
  withSize.formWidth = 806;
  KitLayout third;
  LoadLayout(sized, third, withSize, 120, 120);
  EXPECT_EQ(third.Find("Save1")->base, (KitBounds{15, 13, 94, 31}));
}

TEST_F(KitFixture, ControlsAddedAtRunTimeGetNamesAndBaseValues) {
  LoadLayout(form, layout, settings, 96, 96);
  RescaleLayout(form, layout, settings, 1580, 1296);  // scale 2
  ControlModel added = Control("", {100, 40, 50, 20}, 16);
  added.hasCaption = true;
  added.caption = "RKitAdd0001";
  added.hasText = true;
  added.text = "typed";
  form.components.push_back(added);
  ControlModel blank = Control("  ", {10, 10, 10, 10}, 16);
  form.components.push_back(blank);
  form.components.push_back(Control("Named", {20, 20, 20, 20}, 16));

  // The new controls' current bounds are taken at the scale they were placed
  // at (2), then laid out at the new one (1.5).
  RescaleLayout(form, layout, settings, 1185, 972);
  ASSERT_EQ(layout.ctrlInfos.size(), 8u);
  const ControlModel& first = form.components[6];
  EXPECT_EQ(first.name, "RKitAdd0001");
  EXPECT_EQ(first.caption, "");
  EXPECT_EQ(first.text, "typed");
  EXPECT_EQ(form.components[7].name, "RKitAdd0002");
  EXPECT_EQ(form.components[8].name, "Named");  // named ones keep their names
  EXPECT_EQ(layout.autoNameCounter, 3);
  EXPECT_EQ(layout.Find("RKitAdd0001")->base, (KitBounds{50, 20, 25, 10}));
  EXPECT_EQ(layout.Find("RKitAdd0001")->baseFontSize, 8);
  EXPECT_EQ(first.bounds, (KitBounds{75, 30, 38, 15}));
  EXPECT_EQ(first.fontSize, 12);
  EXPECT_EQ(layout.knownComponentCount, 9);
}

TEST_F(KitFixture, RemovedControlsLoseTheirRecordsInOrder) {
  LoadLayout(form, layout, settings, 96, 96);
  form.components.erase(form.components.begin() + 1);  // Panel2
  RescaleLayout(form, layout, settings, 790, 648);
  ASSERT_EQ(layout.ctrlInfos.size(), 4u);
  EXPECT_EQ(layout.ctrlInfos[0].name, "title");
  EXPECT_EQ(layout.ctrlInfos[1].name, "Save1");
  EXPECT_EQ(layout.ctrlInfos[2].name, "cpr");
  EXPECT_EQ(layout.knownComponentCount, 5);
}

TEST_F(KitFixture, ParentFontFlagsAreSuspendedAndRederivedWhenTheProgramChangesThem) {
  LoadLayout(form, layout, settings, 96, 96);
  ToggleParentFonts(form, layout, true);
  EXPECT_FALSE(C("Save1").parentFont);
  ToggleParentFonts(form, layout, false);
  EXPECT_TRUE(C("Save1").parentFont);

  RescaleLayout(form, layout, settings, 1580, 1296);  // font scale 2
  // The program gives cpr its parent's font, now shown at 12.
  C("cpr").parentFont = true;
  C("cpr").fontSize = 12;
  // Re-derived at the scale the 12 was shown at (2), then laid out at 1.
  RescaleLayout(form, layout, settings, 790, 648);
  EXPECT_EQ(layout.Find("cpr")->baseFontSize, 6);
  EXPECT_TRUE(layout.Find("cpr")->parentFontKnown);
  EXPECT_TRUE(C("cpr").parentFont);
  EXPECT_EQ(C("cpr").fontSize, 6);
  // Known again: a later rescale scales from that base.
  RescaleLayout(form, layout, settings, 1185, 972);
  EXPECT_EQ(C("cpr").fontSize, 9);
}

TEST_F(KitFixture, MissingDensityOrDesignSizeLeavesScalesNeutral) {
  LoadLayout(form, layout, settings, 0, 0);
  EXPECT_EQ(form.fontSize, 8);
  RescaleLayout(form, layout, settings, 1000, 1000);
  EXPECT_DOUBLE_EQ(layout.xScale, 1.0);
  LayoutSettings noDesign = settings;
  noDesign.designFrmW = 0;
  KitLayout other;
  LoadLayout(form, other, noDesign, 96, 96);
  RescaleLayout(form, other, noDesign, 1580, 1296);
  EXPECT_DOUBLE_EQ(other.xScale, 1.0);
  EXPECT_DOUBLE_EQ(other.yScale, 2.0);
  EXPECT_DOUBLE_EQ(other.fontScale, 1.0);
}

}  // namespace
}  // namespace velotune
