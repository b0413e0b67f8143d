// A wrapped control as the skinned form that lists it sees it: the form
// re-applies the skin to it and releases it when the form is given back.
#pragma once

#include <windows.h>

namespace velotune::skin {

class SkinnedControl {
 public:
  virtual ~SkinnedControl() = default;
  virtual HWND Window() const = 0;
  // The skin changed: take its colours again and repaint.
  virtual void Reapply() = 0;
};

}  // namespace velotune::skin
