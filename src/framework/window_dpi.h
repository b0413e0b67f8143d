// The dots per inch a window is drawn at. A program that declares itself
// aware of each monitor's DPI gets the DPI of the monitor its window is on;
// the system stretches the windows of one that does not, which then sees 96.
#pragma once

#include <windows.h>

namespace velotune {

constexpr int kDesignDpi = 96;

// The window's DPI; for a null window, the DPI a new top-level window gets
// (the system's). Systems older than the per-window calls answer the
// screen's logical pixels per inch.
int WindowDpi(HWND window);
// The DPI the system's metrics (fonts, frame sizes) are given at.
int SystemDpi();

}  // namespace velotune
