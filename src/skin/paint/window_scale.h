// The one place that decides at which DPI a window is drawn.
#pragma once

#include <windows.h>

#include "skin/paint/dpi_scale.h"

namespace velotune::skin {

// The scale of a window's measures, and the picture set drawn for it. Every
// window is drawn at 96 dots per inch for now: the skin carries one set of
// pictures, drawn for 96.
DpiScale ScaleOfWindow(HWND window);

}  // namespace velotune::skin
