#include "resize/form_bridge.h"

#include <cstring>

#include "framework/form.h"
#include "framework/suspended_painting.h"

namespace velotune {

namespace {

// Controls that have no font of their own to scale.
const char* const kFontlessClasses[] = {"TImage", "TBevel", "TShape", "TSplitter"};

bool HasOwnFont(const TControl& control) {
  for (const char* name : kFontlessClasses)
    if (std::strcmp(control.ClassName(), name) == 0) return false;
  return true;
}

FormBorder BorderOf(const TWinControl& form) {
  const TForm* asForm = dynamic_cast<const TForm*>(&form);
  if (!asForm) return FormBorder::kSizeable;
  switch (asForm->borderStyle) {
    case bsDialog:
      return FormBorder::kDialog;
    case bsNone:
      return FormBorder::kNone;
    default:
      return FormBorder::kSizeable;  // fixed single borders scale like sizeable ones
  }
}

}  // namespace

FormSnapshot TakeSnapshot(TWinControl& form, bool withCaptions) {
  FormSnapshot snapshot;
  FormModel& model = snapshot.model;
  model.name = form.Name();
  model.fontSize = form.Font().Size();
  HWND window = form.Handle();
  model.border = BorderOf(form);
  model.maximized = IsZoomed(window) != 0;
  model.components.reserve(form.Components().size());
  snapshot.controls.reserve(form.Components().size());
  for (TComponent* component : form.Components()) {
    ControlModel c;
    c.name = component->Name();
    // A window the form owns (a further copy of it, a dialog it shows) is a
    // form of its own, sized by its own kit: never one of this form's controls.
    TControl* control =
        dynamic_cast<TForm*>(component) ? nullptr : dynamic_cast<TControl*>(component);
    c.isControl = control != nullptr;
    if (control) {
      c.bounds = {control->Left(), control->Top(), control->Width(), control->Height()};
      c.hasFont = HasOwnFont(*control);
      c.fontSize = control->Font().Size();
      c.parentFont = control->ParentFont();
      c.hasCaption = withCaptions;
      if (withCaptions) c.caption = control->Caption();
    }
    model.components.push_back(std::move(c));
    snapshot.controls.push_back(control);
  }
  return snapshot;
}

namespace {

bool SameBounds(const TControl& control, const KitBounds& bounds) {
  return bounds == KitBounds{control.Left(), control.Top(), control.Width(), control.Height()};
}

// Whether the layout changes anything the controls show.
bool ChangesAnything(const TWinControl& form, const FormSnapshot& before, const FormModel& after) {
  if (after.fontSize != form.Font().Size()) return true;
  for (std::size_t i = 0; i < before.controls.size(); ++i) {
    const TControl* control = before.controls[i];
    if (!control) continue;
    const ControlModel& was = before.model.components[i];
    const ControlModel& now = after.components[i];
    if (now.name != was.name || now.caption != was.caption || !SameBounds(*control, now.bounds) ||
        (now.hasFont && !control->ParentFont() && now.fontSize != control->Font().Size()))
      return true;
  }
  return false;
}

}  // namespace

void ApplyLayout(TWinControl& form, const FormSnapshot& before, const FormModel& after,
                 KitLayout& layout) {
  const std::size_t n = before.controls.size();
  {
    // Painting waits for the whole layout; one that changes nothing (the
    // form shown at the size it has) repaints nothing either.
    SuspendedPainting suspended(form.Handle(), ChangesAnything(form, before, after));
    // Only fonts of their own are sized: a control that uses its parent's
    // font takes the parent's new one from the framework as soon as the
    // parent's changes, which is where switching its ParentFont flag off and
    // back on would leave it too, with one font change instead of three.
    if (after.fontSize != form.Font().Size()) form.Font().SetSize(after.fontSize);
    for (std::size_t i = 0; i < n; ++i) {
      TControl* control = before.controls[i];
      if (!control) continue;
      const ControlModel& was = before.model.components[i];
      const ControlModel& now = after.components[i];
      if (now.name != was.name) control->SetName(now.name);
      if (now.caption != was.caption) control->SetCaption(now.caption);
      if (now.hasFont && !control->ParentFont() && now.fontSize != control->Font().Size())
        control->Font().SetSize(now.fontSize);
      if (!SameBounds(*control, now.bounds))
        control->SetBounds(now.bounds.left, now.bounds.top, now.bounds.width, now.bounds.height);
    }
  }
  for (std::size_t i = 0; i < n; ++i) {
    TControl* control = before.controls[i];
    if (!control) continue;
    if (CtrlInfo* info = layout.Find(after.components[i].name))
      info->last = {control->Left(), control->Top(), control->Width(), control->Height()};
  }
}

}  // namespace velotune
