// The main window's controls as its form description stores them, read
// without making a window: the states the window opens with, so that the
// command line starts where the window starts. Controls can be set as a user
// could set them in the window, and no other way.
#pragma once

#include <string>
#include <vector>

#include "framework/form_description.h"
#include "tweaks/control_states.h"

namespace velotune {

class DescribedControls : public ControlStates {
 public:
  enum class Kind { kCheckBox, kRadioButton, kEdit, kComboBox, kUpDown, kTrackBar, kRichEdit };
  struct Control {
    std::string name;
    Kind kind = Kind::kCheckBox;
    std::string page;     // "page1", "page2", "page3", "fix" or "" (not on a page)
    std::string parent;   // the component it lies in
    std::string caption;  // as shown: its own, or the label beside it
    bool visible = true;
    bool enabled = true;
    bool readOnly = false;
    bool checked = false;
    std::string text;  // edits; rich edits' lines joined by CR LF
    int position = 0, min = 0, max = 0, increment = 1;
    int itemIndex = -1;
    std::vector<std::string> items;
    std::string associate;  // up-downs: the edit that shows the position
  };

  // Raises EFormDescriptionError for a description that cannot be read.
  explicit DescribedControls(const std::string& descriptionText);

  bool Checked(const std::string& name) const override;
  void SetChecked(const std::string& name, bool checked) override;
  std::string Text(const std::string& name) const override;
  int Position(const std::string& name) const override;
  int ItemIndex(const std::string& name) const override;
  bool Enabled(const std::string& name) const override;

  // The pages in the window's order: "page1", "page2", "page3", "fix".
  static const std::vector<std::string>& PageNames();
  // The controls a user sets on the page (visible ones, the fixed ones
  // included), in the order of the description.
  std::vector<const Control*> OnPage(const std::string& page) const;
  // Null when the form has no such control.
  const Control* Find(const std::string& name) const;
  // Sets the control from a command-line text as the window would let a user
  // set it: check boxes 0 or 1, radio buttons 1, edits any text, drop-down
  // lists an item index, up-downs and track bars a position they can take.
  // False, with the reason, otherwise.
  bool Set(const std::string& name, const std::string& value, std::string* error);

 private:
  void Collect(const DfmObject& object, const std::string& page, const DfmObject* parent);
  Control& Get(const std::string& name);
  const Control& Get(const std::string& name) const;

  std::vector<Control> controls_;
};

// A caption as shown: "&&" becomes "&" and a lone "&" (an access key) goes.
std::string ShownCaption(const std::string& stored);

}  // namespace velotune
