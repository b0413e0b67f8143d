// Whether the system runs in high contrast, where the skin steps aside and
// every window shows its system look and colours. The answer comes through a
// seam a test can set (the setting cannot be switched everywhere), and a
// hidden top-level window hears the system's setting broadcasts.
#pragma once

#include <windows.h>

#include <functional>

namespace velotune::skin {

// The system's answer (SPI_GETHIGHCONTRAST), or the probe's when one is set.
bool HighContrastOn();
// A test's probe; an empty one gives the system's answer back.
void SetHighContrastProbe(std::function<bool()> probe);

// A hidden top-level window that calls `changed` on WM_SETTINGCHANGE,
// WM_SYSCOLORCHANGE and WM_THEMECHANGED (broadcasts reach only top-level
// windows, and a skinned window given back no longer routes them).
class SettingsWatcher {
 public:
  explicit SettingsWatcher(std::function<void()> changed);
  ~SettingsWatcher();
  SettingsWatcher(const SettingsWatcher&) = delete;
  SettingsWatcher& operator=(const SettingsWatcher&) = delete;
  HWND Window() const { return window_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  std::function<void()> changed_;
  HWND window_ = nullptr;
};

}  // namespace velotune::skin
