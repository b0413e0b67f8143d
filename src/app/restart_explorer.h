// "Restart Explorer": RE.bat written into the Recent folder and run hidden.
#pragma once

#include <string>

namespace velotune {

// Writes RE.bat into `recentFolder` (replacing an old one) and runs it
// hidden, without waiting. An empty folder (the shell could not say where the
// Recent folder is) writes and runs nothing, rather than writing the file
// elsewhere, and raises kRecentFolderUnknown so that the error box says why.
void RestartExplorerIn(const std::string& recentFolder);

}  // namespace velotune
