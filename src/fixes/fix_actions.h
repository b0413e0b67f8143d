// The FIX page's button handlers. The main window calls them with its
// controls; they read and set the boxes by name.
#pragma once

#include "tweaks/control_states.h"

namespace velotune {

// "FIX IT!": the registry-editor repair, then every ticked repair in run
// order. Started repairs are not waited for. A failing direct registry step
// raises and ends the run there; repairs whose file is missing or that the
// system would not start are skipped and named in one error after the run
// (at most ten of them, then how many more; a missing FIXER folder as one
// line with its path).
void Button8Click(ControlStates& controls);
// "Check ALL": ticks the 62 repair boxes.
void Button6Click(ControlStates& controls);
// "Uncheck ALL": unticks them, except the two that always stay ticked.
void Button7Click(ControlStates& controls);

}  // namespace velotune
