#include "skin/frame/menu_bar.h"

#include "skin/frame/skin_frame.h"
#include "skin/frame/skin_host.h"
#include "skin/frame/skinned_frame.h"

namespace velotune::skin {

void MenuBarSeam::Take(SkinHost& host, SkinnedFrame& frame, SkinFrame& sizes, bool attaching) {
  const HWND window = frame.Handle();
  RECT before;
  GetClientRect(window, &before);
  bar_ = host.MakeMenuBar(frame);
  if (!bar_) return;
  bar_->Build();  // the window's own bar goes
  sizes.SetMenuBar(GetSystemMetrics(SM_CYMENU));
  RECT after;
  GetClientRect(window, &after);
  systemHeight_ = after.bottom - before.bottom;
  if (systemHeight_ <= 0) {
    systemHeight_ = sizes.MenuBar();
  } else if (attaching) {
    // The client area keeps its size: the window loses the system's bar.
    RECT r;
    GetWindowRect(window, &r);
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top - systemHeight_,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void MenuBarSeam::Release(bool windowGoing, SkinnedFrame& frame) {
  if (!bar_) return;
  std::unique_ptr<SkinMenuBar> bar = std::move(bar_);
  if (frame.Current() && bar->Owns(frame.Current())) frame.SetCurrent(nullptr);
  bar->Restore(windowGoing);
}

}  // namespace velotune::skin
