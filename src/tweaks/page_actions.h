// What the main window's tweak buttons do. Each reads the page controls
// through ControlStates (by control name) and writes through the registry
// layer. None catches a failure: the first failing step ends the action, what
// was written before it stays, and the exception's message is for the error box.
#pragma once

#include <string>

#include "tweaks/control_states.h"

namespace velotune {

// "&Save Changes" on "Tweaks [&1]" (also applies FO of page 2).
void Save2Click(const ControlStates& states);
// "&Save Changes" on "Tweaks [&2]". "Speed Up My Windows" imports the lines
// of the hidden rich edit ToReg, read as Text("ToReg").
void Save1Click(const ControlStates& states);
// "&Save Changes" on "Tweaks [&3]".
void Save3Click(const ControlStates& states);

// The caption of NOSF for a track bar position: the window sets it whenever
// TB moves. Writes nothing.
std::string TBChange(int position);

// "1-Click Tweak": pages 1, 3 and 2, in that order.
void Button2Click(const ControlStates& states);
// "GREEN Boost": only the ticked green tweaks of the three pages.
void Button5Click(const ControlStates& states);
// Double-click on the title label: pages 2, 1 and 3, in that order.
void titleDblClick(const ControlStates& states);

}  // namespace velotune
