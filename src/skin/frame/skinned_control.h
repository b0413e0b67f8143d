// A wrapped control as the skinned form that lists it sees it: the form
// re-applies the skin to it and releases it when the form is given back.
#pragma once

#include <windows.h>

#include <vector>

namespace velotune::skin {

class SkinnedControl {
 public:
  virtual ~SkinnedControl() = default;
  virtual HWND Window() const = 0;
  // The skin changed: take its colours again and repaint.
  virtual void Reapply() = 0;
};

// The wrapped controls of one skinned window, and a memory DC they share.
class SkinnedControlList {
 public:
  SkinnedControlList() = default;
  ~SkinnedControlList();
  SkinnedControlList(const SkinnedControlList&) = delete;
  SkinnedControlList& operator=(const SkinnedControlList&) = delete;

  void Add(SkinnedControl* control);
  void Remove(SkinnedControl* control);
  bool Has(HWND window) const;
  const std::vector<SkinnedControl*>& All() const { return controls_; }
  void ReapplyAll();
  // Each wrapper gives its control back and leaves the list as it goes.
  void ReleaseAll();
  HDC ScratchDc();

 private:
  std::vector<SkinnedControl*> controls_;
  HDC scratch_ = nullptr;
};

}  // namespace velotune::skin
