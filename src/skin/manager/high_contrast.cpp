#include "skin/manager/high_contrast.h"

#include <utility>

namespace velotune::skin {

namespace {

std::function<bool()>& Probe() {
  static std::function<bool()> probe;
  return probe;
}

constexpr char kWatcherClass[] = "VelotuneSkinSettingsWatcher";

}  // namespace

bool HighContrastOn() {
  if (Probe()) return Probe()();
  HIGHCONTRASTA contrast = {};
  contrast.cbSize = sizeof(contrast);
  if (!SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0)) return false;
  return (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void SetHighContrastProbe(std::function<bool()> probe) {
  Probe() = std::move(probe);
}

SettingsWatcher::SettingsWatcher(std::function<void()> changed) : changed_(std::move(changed)) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass = {};
  if (!GetClassInfoA(instance, kWatcherClass, &windowClass)) {
    windowClass.lpfnWndProc = &SettingsWatcher::Proc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWatcherClass;
    RegisterClassA(&windowClass);
  }
  window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kWatcherClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                            nullptr, instance, nullptr);
  if (window_) SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

SettingsWatcher::~SettingsWatcher() {
  if (window_) {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

LRESULT CALLBACK SettingsWatcher::Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETTINGCHANGE || msg == WM_SYSCOLORCHANGE || msg == WM_THEMECHANGED) {
    auto* self = reinterpret_cast<SettingsWatcher*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && self->changed_) self->changed_();
    return 0;
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}

}  // namespace velotune::skin
