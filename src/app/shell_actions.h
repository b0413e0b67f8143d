// The shell calls of the main window and its dialogs: opening links and
// folders, the path of special folders and of the program file.
#pragma once

#include <windows.h>

#include <string>

namespace velotune {

// Opens a link, document or folder through the process seam (ShellExecuteA
// with the default verb); the result is ignored.
void OpenWithShell(HWND owner, const std::string& target, int showCommand);
// The file-system path of a special folder (CSIDL_*), without a trailing
// backslash; empty when the shell cannot give one.
std::string GetSpecialFolder(HWND owner, int folder);
// The program file's full path.
std::string ProgramFilePath();

}  // namespace velotune
