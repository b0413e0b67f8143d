#include "resize/form_bridge.h"

#include <cstring>

#include "framework/form.h"

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

FormSnapshot TakeSnapshot(TWinControl& form) {
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
    TControl* control = dynamic_cast<TControl*>(component);
    c.isControl = control != nullptr;
    if (control) {
      c.bounds = {control->Left(), control->Top(), control->Width(), control->Height()};
      c.hasFont = HasOwnFont(*control);
      c.fontSize = control->Font().Size();
      c.parentFont = control->ParentFont();
      c.hasCaption = true;
      c.caption = control->Caption();
    }
    model.components.push_back(std::move(c));
    snapshot.controls.push_back(control);
  }
  return snapshot;
}

void ApplyLayout(TWinControl& form, const FormSnapshot& before, const FormModel& after,
                 KitLayout& layout) {
  const std::size_t n = before.controls.size();
  // Every ParentFont flag off while fonts change, so that a parent's new font
  // does not spill into its children.
  std::vector<TControl*> suspended;
  for (std::size_t i = 0; i < n; ++i) {
    TControl* control = before.controls[i];
    if (!control || !control->ParentFont()) continue;
    const CtrlInfo* info = layout.Find(after.components[i].name);
    if (!info || !info->hasBaseFont) continue;
    control->SetParentFont(false);
    suspended.push_back(control);
  }
  if (after.fontSize != form.Font().Size()) form.Font().SetSize(after.fontSize);

  // WM_SETREDRAW works through the visible style bit: only a visible window
  // may have its painting suspended, or resuming would make it visible.
  HWND window = form.Handle();
  const bool suspend = IsWindowVisible(window) != 0;
  if (suspend) SendMessageA(window, WM_SETREDRAW, FALSE, 0);
  for (std::size_t i = 0; i < n; ++i) {
    TControl* control = before.controls[i];
    if (!control) continue;
    const ControlModel& was = before.model.components[i];
    const ControlModel& now = after.components[i];
    if (now.name != was.name) control->SetName(now.name);
    if (now.caption != was.caption) control->SetCaption(now.caption);
    if (now.hasFont && now.fontSize != control->Font().Size())
      control->Font().SetSize(now.fontSize);
    const KitBounds current{control->Left(), control->Top(), control->Width(), control->Height()};
    if (now.bounds != current)
      control->SetBounds(now.bounds.left, now.bounds.top, now.bounds.width, now.bounds.height);
  }
  if (suspend) {
    SendMessageA(window, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }

  // Controls that use their parent's font take the parent's new one again.
  for (TControl* control : suspended) control->SetParentFont(true);
  for (std::size_t i = 0; i < n; ++i) {
    TControl* control = before.controls[i];
    if (!control) continue;
    if (CtrlInfo* info = layout.Find(after.components[i].name))
      info->last = {control->Left(), control->Top(), control->Width(), control->Height()};
  }
}

}  // namespace velotune
