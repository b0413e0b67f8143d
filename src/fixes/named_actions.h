// The actions of the main window by the names the command line and the
// backups use: the three page saves, 1-Click Tweak, GREEN Boost and FIX IT!.
#pragma once

#include <string>
#include <vector>

#include "tweaks/control_states.h"

namespace velotune {

struct NamedAction {
  const char* name;   // "page1", "one-click", ...
  const char* title;  // what the window calls it
  void (*run)(ControlStates& states);
};

const std::vector<NamedAction>& NamedActions();
// Null for an unknown name.
const NamedAction* FindNamedAction(const std::string& name);

}  // namespace velotune
