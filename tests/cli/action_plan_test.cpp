// Every action of the window, from the start states and from altered ones:
// its plan has exactly its effect and changes nothing, its backup undoes it
// (also when it fails halfway), and a second run has nothing left to change.
#include <gtest/gtest.h>

#include <tuple>

#include "cli/plan_fixture.h"
#include "tweaks/backed_up_action.h"
#include "tweaks/backups.h"

namespace velotune {
namespace {

struct Variant {
  const char* name;
  std::vector<std::pair<const char*, const char*>> sets;
};

const std::vector<Variant>& Variants() {
  static const std::vector<Variant> kVariants = {
      {"Start", {}},
      // Deletions instead of writes, other radio buttons, value controls at
      // their ends, and repairs that import, run a batch file or are missing.
      {"Altered",
       {{"Admin", "1"},     {"MDL", "1"},       {"DSRB", "1"},        {"CUR", "0"},
        {"TB", "0"},        {"SU", "3"},        {"uatc", "40"},       {"sAdmin", "1"},
        {"D3", "1"},        {"ltClassic", "1"}, {"chkEST", "0"},      {"XFile", "0"},
        {"P1Icon", "0"},    {"chkFO", "1"},     {"cmbFO", "0"},       {"chkNew", "1"},
        {"chkBAT", "1"},    {"chkBFE", "1"},    {"chkFlushDNS", "1"}, {"chkCDDVDnr", "1"},
        {"Manually", "250"}}},
      // Only some green boxes, and an edit the page-1 save refuses.
      {"Sparse",
       {{"chkIC", "0"}, {"SUMW", "0"}, {"chkIDM", "0"}, {"OnExit", "soon"}, {"chkSnip", "1"}}},
  };
  return kVariants;
}

class ActionPlans : public PlanTest,
                    public ::testing::WithParamInterface<std::tuple<std::string, int>> {
 protected:
  const NamedAction& Action() const { return *FindNamedAction(std::get<0>(GetParam())); }
  DescribedControls Controls() const {
    DescribedControls controls = StartControls();
    for (const auto& set : Variants()[std::get<1>(GetParam())].sets) {
      std::string error;
      EXPECT_TRUE(controls.Set(set.first, set.second, &error)) << error;
    }
    return controls;
  }
};

TEST_P(ActionPlans, PlanHasTheActionsEffectAndChangesNothing) {
  const std::string before = Dump(live);
  std::unique_ptr<ActionPlan> plan = Plan(Action(), Controls());
  EXPECT_EQ(before, Dump(live));
  EXPECT_TRUE(processes.calls.empty());
  EXPECT_EQ(1u, files.files.count("C:\\Users\\Tester\\AppData\\Local\\IconCache.DB"));

  const std::string error = RunForReal(Action(), Controls());
  EXPECT_EQ(error, plan->Error());
  EXPECT_EQ(Dump(live), Dump(plan->Layer()));
  // Everything the plan writes or deletes reads back as planned.
  for (const Mismatch& m : plan->Check(live, files))
    ADD_FAILURE() << "not as planned: " << FullKeyName(m.item.root, m.item.path) << " "
                  << m.item.name;
  // The processes the plan lists are the ones the action starts.
  std::vector<std::string> planned;
  for (const PlanStep& step : plan->Steps())
    if (step.kind == PlanStep::Kind::kProcess) planned.push_back(step.target);
  EXPECT_EQ(processes.CommandLines(), planned);
}

TEST_P(ActionPlans, BackupGivesBackTheRegistryAsItWas) {
  const std::string before = Dump(live);
  std::unique_ptr<ActionPlan> plan = Plan(Action(), Controls());
  const std::string script = CheckedRestoreScript(*plan);
  RunForReal(Action(), Controls());
  ImportRegScript(live, script);
  EXPECT_EQ(before, Dump(live));
}

TEST_P(ActionPlans, SecondRunHasNothingLeftToChange) {
  RunForReal(Action(), Controls());
  std::unique_ptr<ActionPlan> again = Plan(Action(), Controls());
  for (const RegChange& c : again->Layer().Changes())
    ADD_FAILURE() << "changes again: " << FullKeyName(c.item.root, c.item.path) << " "
                  << c.item.name;
  for (const PlanStep& step : again->Steps())
    EXPECT_FALSE(step.kind == PlanStep::Kind::kDeleteFile && step.exists) << step.target;
}

INSTANTIATE_TEST_SUITE_P(EveryAction, ActionPlans,
                         ::testing::Combine(::testing::Values("page1", "page2", "page3",
                                                              "one-click", "green", "fix"),
                                            ::testing::Values(0, 1, 2)),
                         [](const ::testing::TestParamInfo<std::tuple<std::string, int>>& info) {
                           std::string name =
                               std::get<0>(info.param) + Variants()[std::get<1>(info.param)].name;
                           name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
                           return name;
                         });

// An action that stops halfway, because the registry editor cannot be
// started or a key is refused, is fully undone by the backup written first.
TEST_F(PlanTest, BackupRestoresAnActionThatFailsHalfway) {
  struct Case {
    const char* name;
    std::function<void()> breakIt;
  };
  const Case cases[] = {
      {"editor missing", [&] { processes.failCode = 2; }},
      {"key refused",
       [&] {
         live.Deny(RegistryRoot::LocalMachine, "SYSTEM\\CurrentControlSet\\Services\\SwPrv");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    live.AllowAll();
    processes.failCode = 0;
    const std::string before = Dump(live);
    c.breakIt();
    std::unique_ptr<ActionPlan> plan = Plan(*FindNamedAction("one-click"), StartControls());
    const std::string script = CheckedRestoreScript(*plan);
    const std::string error = RunForReal(*FindNamedAction("one-click"), StartControls());
    ASSERT_FALSE(error.empty());
    EXPECT_NE(before, Dump(live));  // halfway: something was written
    live.AllowAll();
    processes.failCode = 0;
    ImportRegScript(live, script);
    EXPECT_EQ(before, Dump(live));
  }
}

}  // namespace
}  // namespace velotune
