#include "framework/window_dpi.h"

namespace velotune {

namespace {

// The per-window calls exist from Windows 10 (1607) on.
using DpiForWindowFn = UINT(WINAPI*)(HWND);
using DpiForSystemFn = UINT(WINAPI*)();

template <typename Fn>
Fn User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleA("user32.dll");
  return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                : nullptr;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : kDesignDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

int SystemDpi() {
  static const DpiForSystemFn forSystem = User32Function<DpiForSystemFn>("GetDpiForSystem");
  if (forSystem) {
    const int dpi = static_cast<int>(forSystem());
    if (dpi > 0) return dpi;
  }
  return ScreenDpi();
}

int WindowDpi(HWND window) {
  static const DpiForWindowFn forWindow = User32Function<DpiForWindowFn>("GetDpiForWindow");
  if (window && forWindow) {
    const int dpi = static_cast<int>(forWindow(window));
    if (dpi > 0) return dpi;
  }
  return SystemDpi();
}

}  // namespace velotune
