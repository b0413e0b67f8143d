// The tweak steps that a page save and the GREEN Boost both run. None of them
// but ClearIconCache looks at a check box; the caller decides.
#pragma once

#include <string>
#include <vector>

#include "tweaks/control_states.h"

namespace velotune {

// "C:\Users\<name>\AppData\Local\IconCache.DB"; empty when the name is empty
// or could lead the path out of the profile folder.
std::string IconCachePath(const std::string& userName);

// Asks for the logon name first; when there is one and chkIC is checked,
// deletes the icon cache file. A failed delete is ignored.
void ClearIconCache(const ControlStates& states);

// The command line that imports the script silently.
std::string SpeedUpCommandLine(const std::string& scriptPath);

// Writes the lines as SpeedUp.reg beside the executable, imports it with the
// registry editor (waiting for it to end) and deletes it.
void SpeedUpScript(const std::vector<std::string>& lines);

// Forgets Explorer's saved folder views and lets it remember 8000 of them.
void CleanFolderSettings();

// Internet Download Manager's fastest connection settings.
void SpeedUpDownloadManager();

// TCP delayed acknowledgement and Nagle off on the listed interfaces.
void DecreaseLatency();

}  // namespace velotune
