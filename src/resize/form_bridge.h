// Copies a real form's controls into the kit's FormModel and writes the
// layout the kit computed back to the controls.
#pragma once

#include <vector>

#include "framework/control.h"
#include "resize/layout_model.h"

namespace velotune {

// The form's components as the model sees them, in the form's order; the
// pointers stay parallel to model.components (null for non-controls).
struct FormSnapshot {
  FormModel model;
  std::vector<TControl*> controls;
};

// Captions are read only when asked for: the kit needs them only to name
// controls added since it last looked, and an edit's costs it a message.
FormSnapshot TakeSnapshot(TWinControl& form, bool withCaptions);

// Writes names, captions, fonts and bounds that differ from `before` back to
// the controls, with the form window's painting suspended. The records' last
// bounds take what the controls ended up with.
void ApplyLayout(TWinControl& form, const FormSnapshot& before, const FormModel& after,
                 KitLayout& layout);

}  // namespace velotune
