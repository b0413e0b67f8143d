#include "skin/frame/skinned_control.h"

#include <algorithm>

namespace velotune::skin {

SkinnedControlList::~SkinnedControlList() {
  if (scratch_) DeleteDC(scratch_);
}

void SkinnedControlList::Add(SkinnedControl* control) {
  if (std::find(controls_.begin(), controls_.end(), control) == controls_.end())
    controls_.push_back(control);
}

void SkinnedControlList::Remove(SkinnedControl* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

bool SkinnedControlList::Has(HWND window) const {
  return std::any_of(controls_.begin(), controls_.end(),
                     [window](const SkinnedControl* c) { return c->Window() == window; });
}

void SkinnedControlList::ReapplyAll() {
  for (SkinnedControl* control : std::vector<SkinnedControl*>(controls_)) control->Reapply();
}

void SkinnedControlList::ReleaseAll() {
  while (!controls_.empty()) {
    SkinnedControl* control = controls_.back();
    controls_.pop_back();
    delete control;
  }
}

HDC SkinnedControlList::ScratchDc() {
  if (!scratch_) scratch_ = CreateCompatibleDC(nullptr);
  return scratch_;
}

}  // namespace velotune::skin
