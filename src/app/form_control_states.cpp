#include "app/form_control_states.h"

#include "framework/std_controls.h"

namespace velotune {

namespace {
// Asking for a control the form does not have, or for a state it has not,
// is a programming fault, reported like any other failure.
[[noreturn]] void Missing(const std::string& what, const std::string& name) {
  throw Exception("Control " + name + " has no " + what);
}
}  // namespace

TControl& FormControlStates::Find(const std::string& name) const {
  auto* control = dynamic_cast<TControl*>(form_.FindComponent(name));
  if (!control) throw Exception("Control " + name + " not found");
  return *control;
}

bool FormControlStates::Checked(const std::string& name) const {
  auto* box = dynamic_cast<TButtonControl*>(&Find(name));
  if (!box) Missing("checked state", name);
  return box->Checked();
}

void FormControlStates::SetChecked(const std::string& name, bool checked) {
  auto* box = dynamic_cast<TButtonControl*>(&Find(name));
  if (!box) Missing("checked state", name);
  box->SetChecked(checked);
}

std::string FormControlStates::Text(const std::string& name) const {
  TControl& control = Find(name);
  if (auto* edit = dynamic_cast<TEdit*>(&control)) return edit->Text();
  if (auto* combo = dynamic_cast<TComboBox*>(&control)) return combo->Text();
  if (auto* rich = dynamic_cast<TRichEdit*>(&control)) return rich->Text();
  Missing("text", name);
}

int FormControlStates::Position(const std::string& name) const {
  TControl& control = Find(name);
  if (auto* upDown = dynamic_cast<TUpDown*>(&control)) return upDown->Position();
  if (auto* track = dynamic_cast<TTrackBar*>(&control)) return track->Position();
  Missing("position", name);
}

int FormControlStates::ItemIndex(const std::string& name) const {
  auto* combo = dynamic_cast<TComboBox*>(&Find(name));
  if (!combo) Missing("item index", name);
  return combo->ItemIndex();
}

bool FormControlStates::Enabled(const std::string& name) const {
  return Find(name).Enabled();
}

}  // namespace velotune
