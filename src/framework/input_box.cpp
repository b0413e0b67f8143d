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
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->wordWrap = true;
  label->autoSize = false;
  label->SetCaption(prompt);
  // Room for the prompt's lines.
  HDC dc = GetDC(nullptr);
  RECT r{0, 0, width - 2 * margin, 0};
  HGDIOBJ old = SelectObject(dc, form.Font().Handle());
  DrawTextA(dc, prompt.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  label->SetBounds(margin, margin, width - 2 * margin, r.bottom);

  int y = margin + r.bottom + 8;
  auto* edit = new TEdit(&form);
  edit->SetName("Edit");
  edit->SetParent(&form);
  edit->SetBounds(margin, y, width - 2 * margin, 21);
  edit->SetText(value);
  y += 21 + 12;

  auto* ok = new TButton(&form);
  ok->SetName("OK");
  ok->SetParent(&form);
  ok->SetCaption("OK");
  ok->isDefault = true;
  ok->modalResult = mrOk;
  ok->SetBounds(width / 2 - 80, y, 75, 25);
  auto* cancel = new TButton(&form);
  cancel->SetName("Cancel");
  cancel->SetParent(&form);
  cancel->SetCaption("Cancel");
  cancel->isCancel = true;
  cancel->modalResult = mrCancel;
  cancel->SetBounds(width / 2 + 5, y, 75, 25);
  form.SetClientSize(width, y + 25 + margin);

  form.HandleNeeded();
  edit->SetFocus();
  SendMessageA(edit->Handle(), EM_SETSEL, 0, -1);
  if (form.ShowModal() == mrOk) return edit->Text();
  return value;
}

}  // namespace velotune
