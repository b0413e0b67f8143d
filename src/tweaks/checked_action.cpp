#include "tweaks/checked_action.h"

#include "tweaks/backed_up_action.h"
#include "tweaks/elevation_check.h"

namespace velotune {

std::string BackUpPlannedAction(ActionPlan& plan, const ActionSeams& seams,
                                const CheckedAction& action) {
  if (!plan.Error().empty())
    throw ActionRefused(ActionRefused::Reason::kWouldFail, plan.Error(), action.label);
  const std::string refusal =
      ElevationRefusal(plan, seams.registry, seams.processes, action.label, seams.elevationAdvice);
  if (!refusal.empty()) throw ActionRefused(ActionRefused::Reason::kNotElevated, refusal);
  if (action.vet) action.vet(plan);
  return BackUpPlan(plan, seams.files, action.name, seams.now(), action.keep);
}

CheckedRun RunChecked(const ActionSeams& seams, const CheckedAction& action) {
  ActionPlan plan(seams.registry, seams.files, seams.processes);
  plan.Run(action.run);
  CheckedRun result;
  result.action = action.name;
  result.label = action.label;
  result.backup = BackUpPlannedAction(plan, seams, action);
  try {
    action.run();
  } catch (const std::exception& e) {
    result.error = ErrorBoxText(e);
  }
  result.notHeld = plan.Check(seams.registry, seams.files, &result.checked);
  for (const PlanStep* step : plan.Unpreviewable()) result.notPreviewed.push_back(step->target);
  return result;
}

}  // namespace velotune
