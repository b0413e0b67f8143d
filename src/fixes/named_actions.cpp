#include "fixes/named_actions.h"

#include "fixes/fix_actions.h"
#include "tweaks/page_actions.h"

namespace velotune {

const std::vector<NamedAction>& NamedActions() {
  // "Tweaks [&1]" is saved by Save2, "Tweaks [&2]" by Save1.
  static const std::vector<NamedAction> kActions = {
      {"page1", "Save Changes on Tweaks [1]", [](ControlStates& s) { Save2Click(s); }},
      {"page2", "Save Changes on Tweaks [2]", [](ControlStates& s) { Save1Click(s); }},
      {"page3", "Save Changes on Tweaks [3]", [](ControlStates& s) { Save3Click(s); }},
      {"one-click", "1-Click Tweak", [](ControlStates& s) { Button2Click(s); }},
      {"green", "GREEN Boost", [](ControlStates& s) { Button5Click(s); }},
      {"fix", "FIX IT!", [](ControlStates& s) { Button8Click(s); }},
  };
  return kActions;
}

const NamedAction* FindNamedAction(const std::string& name) {
  for (const NamedAction& action : NamedActions())
    if (name == action.name) return &action;
  return nullptr;
}

}  // namespace velotune
