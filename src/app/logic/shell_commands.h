// The command lines and files of the main window's shell actions: restarting
// the computer, restarting Explorer through a batch file in the Recent folder,
// and the program's own folder.
#pragma once

#include <string>
#include <vector>

namespace velotune {

constexpr const char kRestartQuestion[] = "Are you sure you want to restart your computer ?";
constexpr const char kRestartCaption[] = "Confirm";
// Restart, forcing applications closed, after one second.
constexpr const char kRestartCommand[] = "Shutdown -r -f -t 1";
constexpr const char kRestartExplorerBatchName[] = "RE.bat";
// Shown when the shell cannot say where the Recent folder is: RE.bat is then
// written nowhere else, and the user learns that Explorer was not restarted.
constexpr const char kRecentFolderUnknown[] =
    "Explorer was not restarted: the location of the Recent folder, where RE.bat is written, is "
    "unknown";

// `path` with a backslash appended, unless it is empty or already ends in one.
std::string AddTrailingBackslash(const std::string& path);

// The folder part of a file path, ending in its separator ("C:\App\" for
// "C:\App\velotune.exe"); empty when the path names no folder.
std::string FolderOfFile(const std::string& filePath);

// The lines of RE.bat: end Explorer and start it again.
const std::vector<std::string>& RestartExplorerBatchLines();

// The batch file's full path for the Recent folder (with or without its
// trailing backslash), and the hidden command line that runs it. Both are
// empty when the Recent folder is unknown.
std::string RestartExplorerBatchPath(const std::string& recentFolder);
std::string RestartExplorerCommand(const std::string& recentFolder);

// Lines joined as a plain-text file writes them: each ended by CR LF.
std::string JoinCrLf(const std::vector<std::string>& lines);

}  // namespace velotune
