#include <gtest/gtest.h>

#include <string>

#include "app/logic/sidebar_modes.h"
#include "app/logic/wheel_scroll.h"

namespace velotune {
namespace {

TEST(PlanWheelScroll, DirectionBarAndLineCount) {
  struct Case {
    int delta;
    bool shift;
    int setting;
    ScrollBar bar;
    ScrollStep step;
    int lines;
  };
  const Case cases[] = {
      {120, false, 3, ScrollBar::kVertical, ScrollStep::kLineUp, 3},  // away from the user
      {-120, false, 3, ScrollBar::kVertical, ScrollStep::kLineDown, 3},
      {0, false, 3, ScrollBar::kVertical, ScrollStep::kLineDown, 3},
      {120, true, 3, ScrollBar::kHorizontal, ScrollStep::kLineUp, 3},
      {-240, true, 5, ScrollBar::kHorizontal, ScrollStep::kLineDown, 5},
      {120, false, 0, ScrollBar::kVertical, ScrollStep::kLineUp, 0},
      {120, false, -1, ScrollBar::kVertical, ScrollStep::kLineUp, 0},  // one page at a time
  };
  for (const Case& c : cases) {
    WheelScroll plan = PlanWheelScroll(c.delta, c.shift, c.setting);
    EXPECT_EQ(plan.bar, c.bar) << c.delta << " " << c.shift << " " << c.setting;
    EXPECT_EQ(plan.step, c.step) << c.delta << " " << c.shift << " " << c.setting;
    EXPECT_EQ(plan.lines, c.lines) << c.delta << " " << c.shift << " " << c.setting;
  }
}

TEST(SidebarModes, TweakShowsTheThreeTweakTabsAndSelectsTheFirstPage) {
  const SidebarMode* tweak = FindSidebarMode(0);
  ASSERT_NE(tweak, nullptr);
  ASSERT_EQ(tweak->shownTabs.size(), 3u);
  EXPECT_STREQ(tweak->shownTabs[0], "TabSheet1");
  EXPECT_STREQ(tweak->shownTabs[1], "TabSheet2");
  EXPECT_STREQ(tweak->shownTabs[2], "TabSheet3");
  EXPECT_TRUE(tweak->bottomPanelVisible);
  EXPECT_STREQ(tweak->activePage, "TabSheet2");
  EXPECT_EQ(tweak->focus, nullptr);
}

TEST(SidebarModes, FixShowsOnlyTheFixTabAndFocusesItsScrollBox) {
  const SidebarMode* fix = FindSidebarMode(1);
  ASSERT_NE(fix, nullptr);
  ASSERT_EQ(fix->shownTabs.size(), 1u);
  EXPECT_STREQ(fix->shownTabs[0], "shtFix");
  EXPECT_FALSE(fix->bottomPanelVisible);
  EXPECT_STREQ(fix->focus, "ScrollBox2");
}

TEST(SidebarModes, OtherTagsHaveNoMode) {
  EXPECT_EQ(FindSidebarMode(2), nullptr);
  EXPECT_EQ(FindSidebarMode(-1), nullptr);
}

}  // namespace
}  // namespace velotune
