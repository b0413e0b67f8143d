// The input box: a small modal form built in code.
#include "framework/application.h"
#include "framework/form.h"
#include "framework/graphic_controls.h"
#include "framework/std_controls.h"

namespace velotune {

namespace {
class TInputBoxForm : public TForm {
 public:
  using TForm::TForm;
  const char* ClassName() const override { return "TInputBoxForm"; }
};
}  // namespace

std::string InputBox(const std::string& caption, const std::string& prompt,
                     const std::string& value) {
  TInputBoxForm form(nullptr);
  form.borderStyle = bsDialog;
  form.borderIcons = biSystemMenu;
  form.position = poScreenCenter;
  form.SetCaption(caption);
  form.Font().SetName("MS Sans Serif");
  form.Font().SetHeight(-11);

  const int width = 360, margin = 8;
  // Room for the prompt's lines.
  HDC dc = GetDC(nullptr);
  RECT r{0, 0, width - 2 * margin, 0};
  HGDIOBJ old = SelectObject(dc, form.Font().Handle());
  DrawTextA(dc, prompt.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  auto* label = new TLabel(&form);
  label->wordWrap = true;
  label->autoSize = false;
  label->SetBounds(margin, margin, width - 2 * margin, r.bottom);
  label->SetCaption(prompt);
  label->SetParent(&form);

  int y = margin + r.bottom + 8;
  auto* edit = CreateControl<TEdit>(&form, {&form, "Edit", margin, y, width - 2 * margin, 21, ""});
  edit->SetText(value);
  y += 21 + 12;
  auto* ok = CreateControl<TButton>(&form, {&form, "OK", width / 2 - 80, y, 75, 25, "OK"});
  ok->isDefault = true;
  ok->modalResult = mrOk;
  auto* cancel =
      CreateControl<TButton>(&form, {&form, "Cancel", width / 2 + 5, y, 75, 25, "Cancel"});
  cancel->isCancel = true;
  cancel->modalResult = mrCancel;
  form.SetClientSize(width, y + 25 + margin);
  form.ScaleToStartDpi();

  form.HandleNeeded();
  edit->SetFocus();
  SendMessageA(edit->Handle(), EM_SETSEL, 0, -1);
  if (form.ShowModal() == mrOk) return edit->Text();
  return value;
}

}  // namespace velotune
