// "Restart Explorer": RE.bat written into the Recent folder and run hidden.
#pragma once

#include <string>

namespace velotune {

// Writes RE.bat into `recentFolder` (replacing an old one) and runs it
// hidden, without waiting. An empty folder (the shell could not say where the
// Recent folder is) does nothing, rather than writing the file elsewhere.
void RestartExplorerIn(const std::string& recentFolder);

}  // namespace velotune
