#include <algorithm>

#include "fixes/fix_actions.h"
#include "fixes/fix_page_fixture.h"

namespace velotune {
namespace {

using FixSelectionTest = FixPageTest;

TEST_F(FixSelectionTest, CheckAllTicksEveryRepairBoxAndNothingElse) {
  page_.itemIndex["cmbFO"] = 3;
  Button6Click(page_);
  std::vector<std::string> expected = PageBoxes();
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(TickedBoxes(), expected);  // chkURL included, chkExpFrame not
  EXPECT_EQ(expected.size(), 62u);
  EXPECT_EQ(page_.itemIndex["cmbFO"], 3);
  EXPECT_FALSE(page_.checked["chkExpFrame"]);
}

TEST_F(FixSelectionTest, UncheckAllLeavesOnlyTheTwoLockedBoxes) {
  page_.itemIndex["cmbFO"] = 0;
  page_.checked["chkExpFrame"] = true;
  Button6Click(page_);
  Button7Click(page_);
  EXPECT_EQ(TickedBoxes(), (std::vector<std::string>{"chkCmd", "chkDRE", "chkExpFrame"}));
  EXPECT_EQ(page_.itemIndex["cmbFO"], 0);
  // Nothing is run or written by selecting.
  EXPECT_TRUE(processes_.calls.empty());
  EXPECT_FALSE(registry_.KeyExists(RegistryRoot::CurrentUser, "Software"));
}

TEST_F(FixSelectionTest, SelectionOnlyChangesTicksAndNeverReadsThem) {
  Button7Click(page_);
  Button6Click(page_);
  EXPECT_TRUE(page_.reads.empty());
}

}  // namespace
}  // namespace velotune
