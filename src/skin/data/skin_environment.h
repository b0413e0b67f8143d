// What the portable skin code needs from the platform: the message box for a
// skin it cannot read and a few system metrics. The program installs the Win32
// answers; the defaults are those of a standard Windows desktop.
#pragma once

#include <functional>
#include <string>

namespace velotune::skin {

struct SkinEnvironment {
  // Shows a message box with the given text.
  std::function<void(const std::string&)> showMessage;
  // Width of a horizontal scroll bar's arrow (SM_CXHSCROLL).
  int horizontalScrollArrowWidth = 17;
  // Whether the system offers flat scroll bars (comctl32's FlatSB_* calls).
  bool flatScrollBars = true;
  // Maximized window size (SM_CXMAXIMIZED, SM_CYMAXIMIZED).
  int maximizedWidth = 1288;
  int maximizedHeight = 1002;
};

SkinEnvironment& ActiveSkinEnvironment();

}  // namespace velotune::skin
