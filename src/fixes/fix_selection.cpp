#include "fixes/fix_actions.h"
#include "fixes/fix_catalogue.h"

namespace velotune {

void Button6Click(ControlStates& controls) {
  for (const std::string& box : FixBoxes()) controls.SetChecked(box, true);
}

void Button7Click(ControlStates& controls) {
  for (const std::string& box : FixBoxes()) {
    if (!IsLockedFixBox(box)) controls.SetChecked(box, false);
  }
}

}  // namespace velotune
