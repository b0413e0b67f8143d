// Small window queries the frame's parts share.
#pragma once

#include <windows.h>

#include "framework/window_text.h"

namespace velotune::skin {

// The coordinates packed in a mouse message's lParam, signed.
inline int PointX(LPARAM l) {
  return static_cast<short>(LOWORD(l));
}
inline int PointY(LPARAM l) {
  return static_cast<short>(HIWORD(l));
}

// The window's small icon, else its class's, else the big ones.
HICON WindowIcon(HWND window);

}  // namespace velotune::skin
