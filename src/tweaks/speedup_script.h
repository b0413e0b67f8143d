// "Speed Up My Windows" imports the registry script that the main window's
// form description stores in the hidden rich edit ToReg; the saves read the
// rich edit's text and turn it back into lines.
#pragma once

#include <string>
#include <vector>

namespace velotune {

// Splits an edit's text into lines at CR LF, CR or LF. A line break at the end
// does not start another (empty) line; the empty text has no lines.
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace velotune
