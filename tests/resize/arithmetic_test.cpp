// Rounding, name lists, work area, placement and size limits of the resize kit.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "resize/geometry.h"
#include "resize/name_list.h"
#include "resize/placement.h"
#include "resize/size_limits.h"
#include "resize/work_area.h"

namespace velotune {
namespace {

TEST(RoundHalfUpTest, AddsAHalfAndTruncatesTowardZero) {
  struct Case {
    double in;
    int out;
  } cases[] = {{0.0, 0},   {0.49, 0},       {0.5, 1},         {2.5, 3},         {-0.4, 0},
               {-0.5, 0},  {-0.6, 0},       {-1.5, -1},       {-3.5, -3},       {-4.0, -3},
               {-4.6, -4}, {1e12, INT_MAX}, {-1e12, INT_MIN}, {std::nan(""), 0}};
  for (const Case& c : cases) EXPECT_EQ(RoundHalfUp(c.in), c.out) << c.in;
  EXPECT_EQ(TruncateToInt(-0.9), 0);
  EXPECT_EQ(TruncateToInt(7.99), 7);
}

TEST(NameListTest, SplitsAtEverySemicolonKeepingBlanksAndEmptyPieces) {
  struct Case {
    const char* text;
    NameList names;
  } cases[] = {
      {"", {}},
      {";", {""}},
      {"a", {"a"}},
      {"a;", {"a"}},
      {"a;;b", {"a", "", "b"}},
      {"a ;b", {"a ", "b"}},
      {" a; b ", {" a", " b "}},
      {";;", {"", ""}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseNameList(c.text), c.names) << c.text;
}

TEST(NameListTest, MembershipIgnoresCaseButNotBlanks) {
  const NameList list = ParseNameList("Panel1 ;chkIC;TweakFrm");
  EXPECT_TRUE(NameListContains(list, "CHKIC"));
  EXPECT_TRUE(NameListContains(list, "tweakfrm"));
  EXPECT_FALSE(NameListContains(list, "Panel1"));
  EXPECT_TRUE(NameListContains(list, "panel1 "));
  EXPECT_FALSE(NameListContains(list, "chkI"));
  EXPECT_FALSE(NameListContains({}, ""));
  EXPECT_TRUE(NameListContains(ParseNameList(";x"), ""));
}

ScreenFacts Screen(KitRect bar, bool autoHide = false) {
  ScreenFacts facts;
  facts.screenWidth = 1280;
  facts.screenHeight = 1024;
  facts.taskbarKnown = true;
  facts.taskbar = bar;
  facts.taskbarAutoHides = autoHide;
  return facts;
}

TEST(WorkAreaTest, FindsTheTaskbarEdgeAndTakesItsThicknessOff) {
  struct Case {
    KitRect bar;
    int edge, width, height;
  } cases[] = {
      {{0, 994, 1280, 1024}, kTaskbarBottom, 1280, 994},
      {{-2, -2, 1282, 30}, kTaskbarTop, 1280, 994},
      {{0, 0, 60, 1024}, kTaskbarLeft, 1220, 1024},
      {{1220, 0, 1280, 1024}, kTaskbarRight, 1220, 1024},
      {{1220, -5, 1300, 1100}, kTaskbarRight, 1220, 1024},  // clamped to the screen
  };
  for (const Case& c : cases) {
    WorkArea area = ComputeWorkArea(Screen(c.bar), true);
    EXPECT_EQ(area.edge, c.edge);
    EXPECT_EQ(area.width, c.width);
    EXPECT_EQ(area.height, c.height);
    WorkArea whole = ComputeWorkArea(Screen(c.bar), false);
    EXPECT_EQ(whole.edge, c.edge);
    EXPECT_EQ(whole.width, 1280);
    EXPECT_EQ(whole.height, 1024);
  }
}

TEST(WorkAreaTest, AnAutoHidingTaskbarTakesNoRoom) {
  WorkArea bottom = ComputeWorkArea(Screen({0, 994, 1280, 1024}, true), true);
  EXPECT_EQ(bottom.taskbar, (KitRect{0, 1024, 1280, 1024}));
  EXPECT_EQ(bottom.height, 1024);
  WorkArea left = ComputeWorkArea(Screen({0, 0, 60, 1024}, true), true);
  EXPECT_EQ(left.taskbar, (KitRect{0, 0, 0, 1024}));
  EXPECT_EQ(left.width, 1280);
}

TEST(WorkAreaTest, WithoutTaskbarFactsTheWholeScreenIsUsable) {
  ScreenFacts facts;
  facts.screenWidth = 800;
  facts.screenHeight = 600;
  WorkArea area = ComputeWorkArea(facts, true);
  EXPECT_EQ(area.edge, kTaskbarNone);
  EXPECT_EQ(area.width, 800);
  EXPECT_EQ(area.height, 600);
}

TEST(PlacementTest, EveryPositionInAnAreaWithTheTaskbarAtTheBottom) {
  const WorkArea area = ComputeWorkArea(Screen({0, 994, 1280, 1024}), true);
  const KitSize size{806, 688};
  const KitPoint current{100, 50};
  const KitPoint expected[10] = {{100, 50},  {0, 0},     {237, 0}, {474, 0},   {0, 153},
                                 {237, 153}, {474, 153}, {0, 306}, {237, 306}, {474, 306}};
  for (int pos = rpDefault; pos <= rpBottomRight; ++pos)
    EXPECT_EQ(PlaceFormPosition(area, TResizeFormPos(pos), current, size, 1), expected[pos])
        << kResizeFormPosNames[pos];
}

TEST(PlacementTest, DefaultPullsAnOverhangingFormBackAndClampsAtZero) {
  WorkArea area;
  area.width = 800;
  area.height = 600;
  EXPECT_EQ(PlaceFormPosition(area, rpDefault, {500, 400}, {400, 300}, 1), (KitPoint{400, 300}));
  EXPECT_EQ(PlaceFormPosition(area, rpDefault, {-20, -30}, {400, 300}, 1), (KitPoint{0, 0}));
  // Larger than the area: centred would be negative, so it sits at 0.
  EXPECT_EQ(PlaceFormPosition(area, rpMiddleCenter, {0, 0}, {900, 700}, 1), (KitPoint{0, 0}));
  // Odd free space divides toward zero.
  EXPECT_EQ(PlaceFormPosition(area, rpMiddleCenter, {0, 0}, {401, 301}, 1), (KitPoint{199, 149}));
}

TEST(PlacementTest, MinorVersionZeroKeepsTheFormOffATopOrLeftTaskbar) {
  const WorkArea top = ComputeWorkArea(Screen({0, 0, 1280, 30}), true);
  EXPECT_EQ(PlaceFormPosition(top, rpTopLeft, {0, 0}, {400, 300}, 0), (KitPoint{0, 30}));
  EXPECT_EQ(PlaceFormPosition(top, rpTopLeft, {0, 0}, {400, 300}, 1), (KitPoint{0, 0}));
  const WorkArea left = ComputeWorkArea(Screen({0, 0, 60, 1024}), true);
  EXPECT_EQ(PlaceFormPosition(left, rpTopLeft, {0, 0}, {400, 300}, 0), (KitPoint{60, 0}));
}

TEST(PlacementTest, FirstShowSize) {
  WorkArea area;
  area.width = 1280;
  area.height = 994;
  EXPECT_EQ(FirstShowSize(806, 688, {300, 200}, area), (KitSize{806, 688}));
  EXPECT_EQ(FirstShowSize(0, 688, {300, 200}, area), (KitSize{301, 201}));
  EXPECT_EQ(FirstShowSize(806, 0, {300, 200}, area), (KitSize{301, 201}));
  EXPECT_EQ(FirstShowSize(2000, 1500, {300, 200}, area), (KitSize{1280, 994}));
  EXPECT_EQ(FirstShowSize(0, 0, {1280, 994}, area), (KitSize{1280, 994}));
}

TEST(SizeLimitsTest, SizingDragIsLimitedByMovingRightAndBottom) {
  SizeLimits both{900, 700, 300, 200};
  KitRect big{10, 20, 1010, 820};
  LimitSizingRect(big, both);
  EXPECT_EQ(big, (KitRect{10, 20, 910, 720}));
  KitRect small{10, 20, 110, 120};
  LimitSizingRect(small, both);
  EXPECT_EQ(small, (KitRect{10, 20, 310, 220}));
  KitRect inside{10, 20, 410, 320};
  LimitSizingRect(inside, both);
  EXPECT_EQ(inside, (KitRect{10, 20, 410, 320}));
}

TEST(SizeLimitsTest, OneSidedLimitsDoNothing) {
  for (SizeLimits limits : {SizeLimits{900, 0, 0, 0}, SizeLimits{0, 700, 0, 0},
                            SizeLimits{0, 0, 300, 0}, SizeLimits{0, 0, 0, 200}}) {
    KitRect big{0, 0, 2000, 2000};
    LimitSizingRect(big, limits);
    EXPECT_EQ(big, (KitRect{0, 0, 2000, 2000}));
    KitRect small{0, 0, 10, 10};
    LimitSizingRect(small, limits);
    EXPECT_EQ(small, (KitRect{0, 0, 10, 10}));
  }
  WorkArea area;
  area.width = 1280;
  area.height = 994;
  MaximizeLimits m = ComputeMaximizeLimits(area, {900, 0, 0, 0}, {-4, -4}, {10, 10, 500, 500}, 1);
  EXPECT_EQ(m.maxSize, (KitSize{1280, 994}));
  EXPECT_EQ(m.maxPosition, (KitPoint{-4, -4}));
}

TEST(SizeLimitsTest, MaximizeWithAMaximumSizeStaysWhereTheWindowIs) {
  WorkArea area;
  area.width = 1280;
  area.height = 994;
  const SizeLimits limits{900, 700, 0, 0};
  struct Case {
    KitRect window;
    KitPoint position;
  } cases[] = {
      {{100, 50, 600, 450}, {100, 50}},       // fits: stays at its corner
      {{-30, -10, 470, 390}, {0, 0}},         // off the top-left: to 0
      {{1000, 800, 1500, 1200}, {380, 294}},  // beyond the area: to the far edges
  };
  for (const Case& c : cases) {
    MaximizeLimits m = ComputeMaximizeLimits(area, limits, {-4, -4}, c.window, 1);
    EXPECT_EQ(m.maxSize, (KitSize{900, 700}));
    EXPECT_EQ(m.maxPosition, c.position);
  }
  // Never larger than the usable area.
  MaximizeLimits clamp = ComputeMaximizeLimits(area, {2000, 2000, 0, 0}, {0, 0}, {0, 0, 10, 10}, 1);
  EXPECT_EQ(clamp.maxSize, (KitSize{1280, 994}));
}

TEST(SizeLimitsTest, MaximizeBesideATaskbarOnTheLeft) {
  ScreenFacts facts = Screen({0, 0, 60, 1024});
  const WorkArea area = ComputeWorkArea(facts, true);  // 1220 wide
  const SizeLimits limits{900, 700, 0, 0};
  // Left below the taskbar's width: the taskbar's width; minor 0 keeps it.
  EXPECT_EQ(ComputeMaximizeLimits(area, limits, {0, 0}, {20, 10, 520, 410}, 0).maxPosition,
            (KitPoint{60, 10}));
  // Later systems measure from the work area's corner instead.
  EXPECT_EQ(ComputeMaximizeLimits(area, limits, {0, 0}, {20, 10, 520, 410}, 1).maxPosition,
            (KitPoint{0, 10}));
  EXPECT_EQ(ComputeMaximizeLimits(area, limits, {0, 0}, {-5, 10, 495, 410}, 0).maxPosition,
            (KitPoint{60, 10}));
  EXPECT_EQ(ComputeMaximizeLimits(area, limits, {0, 0}, {800, 10, 1300, 410}, 0).maxPosition,
            (KitPoint{380, 10}));
  // Without a maximum size only the later-system shift applies to the proposal.
  EXPECT_EQ(ComputeMaximizeLimits(area, {}, {-4, -4}, {20, 10, 520, 410}, 1).maxPosition,
            (KitPoint{-64, -4}));
}

TEST(SizeLimitsTest, AMaximizedFormIsMovedBackInside) {
  WorkArea area = ComputeWorkArea(Screen({0, 0, 1280, 30}), true);  // 1280 x 994, bar on top
  KitPoint to;
  EXPECT_FALSE(KeepMaximizedInside(area, true, {0, 0, 900, 700}, &to));
  // With the bar on top its height counts back: the bottom may reach 1024.
  EXPECT_FALSE(KeepMaximizedInside(area, true, {0, 300, 900, 1000}, &to));
  ASSERT_TRUE(KeepMaximizedInside(area, false, {0, 300, 900, 1000}, &to));
  EXPECT_EQ(to, (KitPoint{0, 294}));
  ASSERT_TRUE(KeepMaximizedInside(area, true, {500, 400, 1400, 1100}, &to));
  EXPECT_EQ(to, (KitPoint{380, 324}));
}

}  // namespace
}  // namespace velotune
