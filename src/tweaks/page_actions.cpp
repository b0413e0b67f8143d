#include "tweaks/page_actions.h"

#include "tweaks/page_catalogues.h"
#include "tweaks/shared_steps.h"
#include "tweaks/speedup_script.h"

namespace velotune {

void Save2Click(const ControlStates& states) {
  ApplyRows(Page1Rows(), states);
}

void Save1Click(const ControlStates& states) {
  ApplyRows(Page2Rows(), states);
}

void Save3Click(const ControlStates& states) {
  ApplyRows(Page3Rows(), states);
}

std::string TBChange(int position) {
  return "Number of Saved Folders : (" + std::to_string(position) + ")";
}

void Button2Click(const ControlStates& states) {
  Save2Click(states);
  Save3Click(states);
  Save1Click(states);
}

// Neither renews SharedRegistry nor pre-creates keys: every step here creates
// what it needs.
void Button5Click(const ControlStates& states) {
  ClearIconCache(states);
  if (states.Checked("chkCFS")) CleanFolderSettings();
  if (states.Checked("SUMW")) SpeedUpScript(SplitLines(states.Text("ToReg")));
  if (states.Checked("chkIDM")) SpeedUpDownloadManager();
  ApplyRows({LatencyRow()}, states);
}

void titleDblClick(const ControlStates& states) {
  Save1Click(states);
  Save2Click(states);
  Save3Click(states);
}

}  // namespace velotune
