#include "app/logic/wheel_scroll.h"

namespace velotune {

WheelScroll PlanWheelScroll(int wheelDelta, bool shiftHeld, int wheelScrollLines) {
  WheelScroll plan;
  plan.bar = shiftHeld ? ScrollBar::kHorizontal : ScrollBar::kVertical;
  plan.step = wheelDelta > 0 ? ScrollStep::kLineUp : ScrollStep::kLineDown;
  plan.lines = wheelScrollLines > 0 ? wheelScrollLines : 0;
  return plan;
}

}  // namespace velotune
