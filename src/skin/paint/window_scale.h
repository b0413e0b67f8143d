// The one place that decides at which DPI a window is drawn.
#pragma once

#include <windows.h>

#include "skin/paint/dpi_scale.h"

namespace velotune::skin {

// The scale of a window's measures: the DPI of its top-level window (a
// form's as the form last took it, from its window or WM_DPICHANGED; any
// other window's from the system). The skin's pictures are drawn for that
// DPI too (TSkinData::ArtFor), so sizes read off them need no scaling.
DpiScale ScaleOfWindow(HWND window);

// A system metric (GetSystemMetrics' index) at the scale's DPI: the system
// gives its metrics at its own DPI.
int SystemMetricAt(int index, const DpiScale& scale);
// The system's non-client metrics with their fonts' heights at the scale's
// DPI; false when the system has none to give.
bool NonClientMetricsAt(const DpiScale& scale, NONCLIENTMETRICSA* metrics);

}  // namespace velotune::skin
