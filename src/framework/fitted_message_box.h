// Message boxes that always fit on the screen.
#pragma once

#include <windows.h>

#include <string>

namespace velotune {

// MessageBoxA, except that a box the system would lay out taller than the
// work area has its text cut after the last line that fits, a last line
// "..." saying that there was more, and its buttons moved up with it.
int FittedMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);

}  // namespace velotune
