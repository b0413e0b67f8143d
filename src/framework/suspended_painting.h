// A window's painting suspended for a scope: its controls move and change
// without drawing (or asking the system to redraw) anything, and the window
// repaints once, all of it, at the end.
#pragma once

#include <windows.h>

namespace velotune {

class SuspendedPainting {
 public:
  // WM_SETREDRAW works through the visible style bit: only a visible window
  // is suspended, or resuming would show it.
  explicit SuspendedPainting(HWND window, bool wanted = true)
      : window_(wanted && window && IsWindowVisible(window) ? window : nullptr) {
    if (window_) SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
  }
  ~SuspendedPainting() {
    if (!window_) return;
    SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
  SuspendedPainting(const SuspendedPainting&) = delete;
  SuspendedPainting& operator=(const SuspendedPainting&) = delete;

 private:
  HWND window_;
};

}  // namespace velotune
