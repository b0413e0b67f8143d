#include "skin/frame/window_subclass.h"

#include <unordered_map>

namespace velotune::skin {

struct WindowSubclass::Link {
  void* owner;
  Route route;
  WNDPROC old;
  bool unicode;
};

namespace {

// The routed windows' links. Every message looks its link up, so the table
// lives in the process: a window property would cost the window system a
// round trip each time.
using Links = std::unordered_map<HWND, void*>;
Links& RoutedWindows() {
  static Links links;
  return links;
}

void* LinkOf(HWND window) {
  const Links& links = RoutedWindows();
  auto it = links.find(window);
  return it == links.end() ? nullptr : it->second;
}

// Drops the window's entry when it is still `link`'s.
void Unlink(HWND window, const void* link) {
  Links& links = RoutedWindows();
  auto it = links.find(window);
  if (it != links.end() && it->second == link) links.erase(it);
}

}  // namespace

bool WindowSubclass::IsRouted(HWND window) {
  return window && LinkOf(window) != nullptr;
}

bool WindowSubclass::Install(HWND window, void* owner, Route route) {
  if (link_ || !IsWindow(window)) return false;
  if (auto* left = static_cast<Link*>(LinkOf(window))) {
    // A pass-through left in the chain by an earlier removal takes the new
    // owner: messages reach it through the procedure it already holds.
    if (left->owner) return false;
    left->owner = owner;
    left->route = route;
    link_ = left;
    window_ = window;
    return true;
  }
  auto* link = new Link{owner, route, nullptr, IsWindowUnicode(window) != FALSE};
  RoutedWindows()[window] = link;
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
  if (!IsWindow(window) || LinkOf(window) != link) {
    Unlink(window, link);
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
    Unlink(window, link);
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
  auto* link = static_cast<Link*>(LinkOf(window));
  if (!link) return DefWindowProcA(window, msg, wParam, lParam);
  if (link->owner) {
    const LRESULT result = link->route(link->owner, window, msg, wParam, lParam);
    // The window's handle may come back for another window: its entry goes
    // with it (the owner frees the link).
    if (msg == WM_NCDESTROY) Unlink(window, link);
    return result;
  }
  // A pass-through left in the chain: it goes with the window.
  const Link copy = *link;
  if (msg == WM_NCDESTROY) {
    Unlink(window, link);
    delete link;
  }
  return CallLink(copy, window, msg, wParam, lParam);
}

}  // namespace velotune::skin
