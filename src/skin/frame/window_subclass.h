// Replaces a window's procedure by one that routes every message to an owner
// object first. Removing gives the window its old procedure back; when
// something has subclassed the window since, a pass-through stays in the
// chain until the window is destroyed, so no procedure is ever lost and no
// message reaches a freed owner.
#pragma once

#include <windows.h>

namespace velotune::skin {

class WindowSubclass {
 public:
  using Route = LRESULT (*)(void* owner, HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

  WindowSubclass() = default;
  ~WindowSubclass() { Remove(); }
  WindowSubclass(const WindowSubclass&) = delete;
  WindowSubclass& operator=(const WindowSubclass&) = delete;

  // False when the window is gone or already routed to an owner; a
  // pass-through left in the window's chain is taken over.
  bool Install(HWND window, void* owner, Route route);
  void Remove();
  bool Installed() const { return link_ != nullptr; }
  bool Unicode() const;
  // The procedure the window had before.
  LRESULT CallOld(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) const;
  // Whether a window is routed by the engine now.
  static bool IsRouted(HWND window);

 private:
  struct Link;
  static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CallLink(const Link& link, HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  Link* link_ = nullptr;
  HWND window_ = nullptr;
};

}  // namespace velotune::skin
