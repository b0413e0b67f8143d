// Push buttons, check boxes and radio buttons.
#include "framework/form.h"
#include "framework/property_helpers.h"
#include "framework/std_controls.h"

namespace velotune {

namespace {
const PropertyDef kButtonProperties[] = {
    {"Default", [](const TComponent& c) { return BoolText(As<TButton>(c).isDefault); },
     [](TComponent& c, const std::string& v) {
       As<TButton>(c).isDefault = BoolProp("Default", v);
     }},
    {"Cancel", [](const TComponent& c) { return BoolText(As<TButton>(c).isCancel); },
     [](TComponent& c, const std::string& v) { As<TButton>(c).isCancel = BoolProp("Cancel", v); }},
    {"ModalResult", [](const TComponent& c) { return IntText(As<TButton>(c).modalResult); },
     [](TComponent& c, const std::string& v) {
       static const std::vector<const char*> kNames = {"mrNone",  "mrOk",     "mrCancel", "mrAbort",
                                                       "mrRetry", "mrIgnore", "mrYes",    "mrNo"};
       As<TButton>(c).modalResult = EnumProp("ModalResult", v, kNames);
     }},
};
}  // namespace

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  tabStop_ = true;
  width_ = 75;
  height_ = 25;
}

const PropertyDef* TButton::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kButtonProperties, name)) return p;
  return TWinControl::FindProperty(name);
}

void TButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.windowClass = "BUTTON";
  params.systemClass = true;
  params.exStyle = 0;
  params.style &= ~WS_CLIPCHILDREN;
  // The system draws push-button text in one colour; a button whose font
  // asks for another colour is drawn here.
  if (OwnTextColour())
    params.style |= BS_OWNERDRAW;
  else
    params.style |= isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

bool TButton::OwnTextColour() const {
  return font_.Color() != clWindowText && font_.Color() != TColor(kSystemColor | COLOR_BTNTEXT);
}

void TButton::DrawItem(const DRAWITEMSTRUCT& item) {
  RECT r = item.rcItem;
  bool pushed = (item.itemState & ODS_SELECTED) != 0;
  bool focused = (item.itemState & ODS_FOCUS) != 0;
  FillRect(item.hDC, &r, ColorBrush(clBtnFace));
  if (focused || isDefault) {
    FrameRect(item.hDC, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
  }
  DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
  RECT text = r;
  if (pushed) OffsetRect(&text, 1, 1);
  DrawControlText(item.hDC, *this, caption_, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (focused) {
    InflateRect(&r, -3, -3);
    DrawFocusRect(item.hDC, &r);
  }
}

void TButton::Click() {
  if (modalResult != 0) {
    if (TForm* form = ParentForm()) form->SetModalResult(modalResult);
  }
  TWinControl::Click();
}

void TButton::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
    Click();
    return;
  }
  if (message.Msg == CN_DRAWITEM) {
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam));
    message.Result = TRUE;
    return;
  }
  TWinControl::WndProc(message);
}

namespace {
const PropertyDef kButtonControlProperties[] = {
    {"Checked", [](const TComponent& c) { return BoolText(As<TButtonControl>(c).Checked()); },
     [](TComponent& c, const std::string& v) {
       As<TButtonControl>(c).SetChecked(BoolProp("Checked", v));
     }},
    {"WordWrap", [](const TComponent& c) { return BoolText(As<TButtonControl>(c).wordWrap); },
     [](TComponent& c, const std::string& v) {
       As<TButtonControl>(c).wordWrap = BoolProp("WordWrap", v);
     }},
    {"Alignment",
     [](const TComponent& c) {
       return std::string(As<TButtonControl>(c).leftText ? "taLeftJustify" : "taRightJustify");
     },
     [](TComponent& c, const std::string& v) {
       As<TButtonControl>(c).leftText =
           EnumProp("Alignment", v, {"taLeftJustify", "taRightJustify"}) == 0;
     }},
};
}  // namespace

struct ButtonControlAccess {
  static void SetGrayed(TButtonControl& c, bool grayed) { c.grayed_ = grayed; }
  static bool Grayed(const TButtonControl& c) { return c.grayed_; }
};

namespace {
const PropertyDef kCheckBoxProperties[] = {
    {"State",
     [](const TComponent& c) {
       const auto& box = As<TCheckBox>(c);
       if (ButtonControlAccess::Grayed(box)) return std::string("cbGrayed");
       return std::string(box.Checked() ? "cbChecked" : "cbUnchecked");
     },
     [](TComponent& c, const std::string& v) {
       int state = EnumProp("State", v, {"cbUnchecked", "cbChecked", "cbGrayed"});
       ButtonControlAccess::SetGrayed(As<TCheckBox>(c), state == 2);
       As<TCheckBox>(c).SetChecked(state == 1);
     }},
    {"AllowGrayed", nullptr, [](TComponent&, const std::string& v) { BoolProp("AllowGrayed", v); }},
};
}  // namespace

const PropertyDef* TButtonControl::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kButtonControlProperties, name)) return p;
  return TWinControl::FindProperty(name);
}

bool TButtonControl::Checked() const {
  if (handle_) return SendMessageA(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return checked_;
}

void TButtonControl::SetChecked(bool checked) {
  bool changed = checked != Checked();
  checked_ = checked;
  if (checked) grayed_ = false;
  if (handle_)
    SendMessageA(handle_, BM_SETCHECK,
                 grayed_ ? BST_INDETERMINATE : (checked ? BST_CHECKED : BST_UNCHECKED), 0);
  if (changed) {
    Perform(CM_CHECKCHANGED);
    if (!(ComponentState() & csLoading)) Click();
  }
}

void TButtonControl::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.windowClass = "BUTTON";
  params.systemClass = true;
  params.exStyle = 0;
  params.style &= ~WS_CLIPCHILDREN;
  if (wordWrap) params.style |= BS_MULTILINE;
  if (leftText) params.style |= BS_LEFTTEXT;
}

void TButtonControl::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageA(handle_, BM_SETCHECK,
               grayed_ ? BST_INDETERMINATE : (checked_ ? BST_CHECKED : BST_UNCHECKED), 0);
}

void TButtonControl::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
    checked_ = SendMessageA(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED;
    grayed_ = false;
    Click();
    return;
  }
  if (message.Msg == CN_CTLCOLORSTATIC || message.Msg == CN_CTLCOLORBTN) {
    // The box sits on its parent's face: parent colour, own font colour.
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    SetTextColor(dc, enabled_ ? ColorToRGB(font_.Color()) : GetSysColor(COLOR_GRAYTEXT));
    SetBkColor(dc, ColorToRGB(color_));
    message.Result = reinterpret_cast<LRESULT>(ColorBrush(color_));
    return;
  }
  TWinControl::WndProc(message);
}

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) {
  tabStop_ = true;
  width_ = 97;
  height_ = 17;
}

const PropertyDef* TCheckBox::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kCheckBoxProperties, name)) return p;
  return TButtonControl::FindProperty(name);
}

void TCheckBox::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  params.style |= grayed_ ? BS_AUTO3STATE : BS_AUTOCHECKBOX;
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
  width_ = 113;
  height_ = 17;
}

void TRadioButton::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  params.style |= BS_AUTORADIOBUTTON;
  if (checked_) params.style |= WS_TABSTOP;
}

void TRadioButton::SetChecked(bool checked) {
  TButtonControl::SetChecked(checked);
  if (!checked || !parent_) return;
  // One selected button per parent.
  for (TControl* sibling : parent_->Controls()) {
    auto* radio = dynamic_cast<TRadioButton*>(sibling);
    if (radio && radio != this && radio->Checked()) radio->TButtonControl::SetChecked(false);
  }
}

}  // namespace velotune
