#include "skin/frame/window_subclass.h"

namespace velotune::skin {

namespace {
const char kLinkProp[] = "VelotuneSkinLink";
}

struct WindowSubclass::Link {
  void* owner;
  Route route;
  WNDPROC old;
  bool unicode;
};

bool WindowSubclass::IsRouted(HWND window) {
  return window && GetPropA(window, kLinkProp) != nullptr;
}

bool WindowSubclass::Install(HWND window, void* owner, Route route) {
  if (link_ || !IsWindow(window) || IsRouted(window)) return false;
  auto* link = new Link{owner, route, nullptr, IsWindowUnicode(window) != FALSE};
  SetPropA(window, kLinkProp, link);
  const LONG_PTR proc = reinterpret_cast<LONG_PTR>(&WindowSubclass::Proc);
  link->old =
      reinterpret_cast<WNDPROC>(link->unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, proc)
                                              : SetWindowLongPtrA(window, GWLP_WNDPROC, proc));
  link_ = link;
  window_ = window;
  return true;
}

void WindowSubclass::Remove() {
  if (!link_) return;
  Link* link = link_;
  link_ = nullptr;
  HWND window = window_;
  window_ = nullptr;
  if (!IsWindow(window) || GetPropA(window, kLinkProp) != link) {
    delete link;
    return;
  }
  // Read as it was set: the other variant would hand back a conversion thunk.
  const auto current =
      reinterpret_cast<WNDPROC>(link->unicode ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                              : GetWindowLongPtrA(window, GWLP_WNDPROC));
  if (current == &WindowSubclass::Proc) {
    if (link->unicode)
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(link->old));
    else
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(link->old));
    RemovePropA(window, kLinkProp);
    delete link;
  } else {
    // Someone subclassed after us: keep passing messages on, to nobody.
    link->owner = nullptr;
  }
}

bool WindowSubclass::Unicode() const {
  return link_ && link_->unicode;
}

LRESULT WindowSubclass::CallLink(const Link& link, HWND window, UINT msg, WPARAM wParam,
                                 LPARAM lParam) {
  return link.unicode ? CallWindowProcW(link.old, window, msg, wParam, lParam)
                      : CallWindowProcA(link.old, window, msg, wParam, lParam);
}

LRESULT WindowSubclass::CallOld(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) const {
  if (link_) return CallLink(*link_, window, msg, wParam, lParam);
  return IsWindowUnicode(window) ? DefWindowProcW(window, msg, wParam, lParam)
                                 : DefWindowProcA(window, msg, wParam, lParam);
}

LRESULT CALLBACK WindowSubclass::Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* link = static_cast<Link*>(GetPropA(window, kLinkProp));
  if (!link) return DefWindowProcA(window, msg, wParam, lParam);
  if (link->owner) return link->route(link->owner, window, msg, wParam, lParam);
  // A pass-through left in the chain: it goes with the window.
  const Link copy = *link;
  if (msg == WM_NCDESTROY) {
    RemovePropA(window, kLinkProp);
    delete link;
  }
  return CallLink(copy, window, msg, wParam, lParam);
}

}  // namespace velotune::skin
