// The catalogues' view of a form's controls, found by component name: check
// boxes and radio buttons give their checked state, edits and combo boxes
// their text, up-downs and track bars their position, combo boxes their item
// index, rich edits their text.
#pragma once

#include <string>

#include "framework/form.h"
#include "tweaks/control_states.h"

namespace velotune {

class FormControlStates : public ControlStates {
 public:
  explicit FormControlStates(TForm& form) : form_(form) {}
  bool Checked(const std::string& name) const override;
  void SetChecked(const std::string& name, bool checked) override;
  std::string Text(const std::string& name) const override;
  int Position(const std::string& name) const override;
  int ItemIndex(const std::string& name) const override;
  bool Enabled(const std::string& name) const override;

 private:
  TControl& Find(const std::string& name) const;
  TForm& form_;
};

}  // namespace velotune
