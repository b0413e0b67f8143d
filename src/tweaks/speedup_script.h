// The registry script that "Speed Up My Windows" imports. The main window
// keeps these lines in its hidden rich edit ToReg; the page save reads them
// back from there.
#pragma once

#include <string>
#include <vector>

namespace velotune {

// The lines the window puts into ToReg, in order (empty lines are empty).
const std::vector<std::string>& SpeedUpScriptLines();

// Splits an edit's text into lines at CR LF, CR or LF. A line break at the end
// does not start another (empty) line; the empty text has no lines.
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace velotune
