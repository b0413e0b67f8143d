// How catalogues see the main window's controls: by name. The main window
// implements this over its real controls; tests implement it over a map.
#pragma once

#include <string>

namespace velotune {

class ControlStates {
 public:
  virtual ~ControlStates() = default;
  // Check boxes and radio buttons.
  virtual bool Checked(const std::string& name) const = 0;
  virtual void SetChecked(const std::string& name, bool checked) = 0;
  // Edits and combo boxes' text.
  virtual std::string Text(const std::string& name) const = 0;
  // Up-downs and track bars.
  virtual int Position(const std::string& name) const = 0;
  // Combo boxes; -1 when nothing is selected.
  virtual int ItemIndex(const std::string& name) const = 0;
  virtual bool Enabled(const std::string& name) const = 0;
};

}  // namespace velotune
