#include "skin/paint/window_scale.h"

namespace velotune::skin {

DpiScale ScaleOfWindow(HWND) {
  return DpiScale();
}

}  // namespace velotune::skin
