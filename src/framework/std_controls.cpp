#include "framework/std_controls.h"

#include <commctrl.h>
#include <richedit.h>

#include "framework/form.h"

namespace velotune {

namespace {

std::string BoolText(bool b) {
  return b ? "True" : "False";
}

template <typename T>
T& As(TComponent& c) {
  return static_cast<T&>(c);
}
template <typename T>
const T& As(const TComponent& c) {
  return static_cast<const T&>(c);
}

std::string WindowText(HWND window) {
  int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  int got = GetWindowTextA(window, &text[0], length + 1);
  text.resize(got > 0 ? got : 0);
  return text;
}

}  // namespace

// ------------------------------------------------------------------ TButton

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

// ------------------------------------------------------- check and radio

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

// -------------------------------------------------------------------- TEdit

namespace {
const PropertyDef kEditProperties[] = {
    {"Text", [](const TComponent& c) { return As<TEdit>(c).Text(); },
     [](TComponent& c, const std::string& v) { As<TEdit>(c).SetText(v); }},
    {"MaxLength", [](const TComponent& c) { return IntText(As<TEdit>(c).maxLength); },
     [](TComponent& c, const std::string& v) { As<TEdit>(c).maxLength = IntProp("MaxLength", v); }},
    {"ReadOnly", [](const TComponent& c) { return BoolText(As<TEdit>(c).readOnly); },
     [](TComponent& c, const std::string& v) { As<TEdit>(c).readOnly = BoolProp("ReadOnly", v); }},
    {"NumbersOnly", [](const TComponent& c) { return BoolText(As<TEdit>(c).numbersOnly); },
     [](TComponent& c, const std::string& v) {
       As<TEdit>(c).numbersOnly = BoolProp("NumbersOnly", v);
     }},
};
}  // namespace

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  tabStop_ = true;
  parentColor_ = false;
  color_ = clWindow;
  width_ = 121;
  height_ = 21;
}

const PropertyDef* TEdit::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kEditProperties, name)) return p;
  return TWinControl::FindProperty(name);
}

bool TEdit::HasEvent(const std::string& name) const {
  return name == "OnChange" || TWinControl::HasEvent(name);
}

std::string TEdit::Text() const {
  return handle_ ? WindowText(handle_) : caption_;
}

void TEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.windowClass = "EDIT";
  params.systemClass = true;
  params.exStyle = WS_EX_CLIENTEDGE;
  params.style &= ~WS_CLIPCHILDREN;
  params.style |= ES_AUTOHSCROLL;
  if (readOnly) params.style |= ES_READONLY;
  if (numbersOnly) params.style |= ES_NUMBER;
}

void TEdit::CreateWnd() {
  TWinControl::CreateWnd();
  if (maxLength > 0) SendMessageA(handle_, EM_LIMITTEXT, maxLength, 0);
}

void TEdit::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == EN_CHANGE) {
    caption_ = WindowText(handle_);
    Fire("OnChange");
    return;
  }
  if (message.Msg == CN_CTLCOLORSTATIC && readOnly) {
    // Read-only edits keep the window colour the description gave them.
    message.Result = CtlColor(reinterpret_cast<HDC>(message.WParam));
    return;
  }
  TWinControl::WndProc(message);
}

// --------------------------------------------------------------- TComboBox

namespace {
const PropertyDef kComboProperties[] = {
    {"ItemIndex", [](const TComponent& c) { return IntText(As<TComboBox>(c).ItemIndex()); },
     [](TComponent& c, const std::string& v) {
       As<TComboBox>(c).SetItemIndex(IntProp("ItemIndex", v));
     }},
    {"Text", [](const TComponent& c) { return As<TComboBox>(c).Text(); },
     [](TComponent& c, const std::string& v) { As<TComboBox>(c).SetCaption(v); }},
    {"Style",
     [](const TComponent& c) {
       return std::string(As<TComboBox>(c).dropDownList ? "csDropDownList" : "csDropDown");
     },
     [](TComponent& c, const std::string& v) {
       As<TComboBox>(c).dropDownList =
           EnumProp("Style", v, {"csDropDown", "csSimple", "csDropDownList"}) == 2;
     }},
    {"DropDownCount", [](const TComponent& c) { return IntText(As<TComboBox>(c).dropDownCount); },
     [](TComponent& c, const std::string& v) {
       As<TComboBox>(c).dropDownCount = IntProp("DropDownCount", v);
     }},
    {"ItemHeight", nullptr, [](TComponent&, const std::string& v) { IntProp("ItemHeight", v); }},
};
}  // namespace

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
  tabStop_ = true;
  parentColor_ = false;
  color_ = clWindow;
  width_ = 145;
  height_ = 21;
}

const PropertyDef* TComboBox::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kComboProperties, name)) return p;
  return TWinControl::FindProperty(name);
}

bool TComboBox::HasEvent(const std::string& name) const {
  return name == "OnChange" || TWinControl::HasEvent(name);
}

bool TComboBox::ReadList(const std::string& name, const std::vector<std::string>& items) {
  if (name != "Items.Strings") return false;
  SetItems(items);
  return true;
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
  items_ = items;
  if (handle_) {
    SendMessageA(handle_, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items_)
      SendMessageA(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  if (itemIndex_ >= static_cast<int>(items_.size())) SetItemIndex(-1);
}

int TComboBox::ItemIndex() const {
  if (handle_) return static_cast<int>(SendMessageA(handle_, CB_GETCURSEL, 0, 0));
  return itemIndex_;
}

void TComboBox::SetItemIndex(int index) {
  // While loading, the items may come after the index.
  if (!(ComponentState() & csLoading) && (index < -1 || index >= static_cast<int>(items_.size())))
    index = -1;
  itemIndex_ = index;
  if (handle_) SendMessageA(handle_, CB_SETCURSEL, index, 0);
}

std::string TComboBox::Text() const {
  if (handle_) return WindowText(handle_);
  if (itemIndex_ >= 0 && itemIndex_ < static_cast<int>(items_.size())) return items_[itemIndex_];
  return caption_;
}

void TComboBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.windowClass = "COMBOBOX";
  params.systemClass = true;
  params.exStyle = 0;
  params.style &= ~WS_CLIPCHILDREN;
  params.style |= WS_VSCROLL | (dropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN) | CBS_AUTOHSCROLL;
  // The window's height includes the dropped-down list.
  params.height = height_ + 16 * (dropDownCount > 0 ? dropDownCount : 8) + 4;
}

void TComboBox::CreateWnd() {
  TWinControl::CreateWnd();
  for (const std::string& item : items_)
    SendMessageA(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  if (itemIndex_ >= static_cast<int>(items_.size())) itemIndex_ = -1;
  SendMessageA(handle_, CB_SETCURSEL, itemIndex_, 0);
  if (!dropDownList && itemIndex_ < 0) SetWindowTextA(handle_, caption_.c_str());
}

void TComboBox::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND &&
      (HIWORD(message.WParam) == CBN_SELCHANGE || HIWORD(message.WParam) == CBN_EDITCHANGE)) {
    itemIndex_ = static_cast<int>(SendMessageA(handle_, CB_GETCURSEL, 0, 0));
    Fire("OnChange");
    return;
  }
  TWinControl::WndProc(message);
}

// --------------------------------------------------------------- TRichEdit

namespace {
const PropertyDef kRichEditProperties[] = {
    {"WordWrap", [](const TComponent& c) { return BoolText(As<TRichEdit>(c).wordWrap); },
     [](TComponent& c, const std::string& v) {
       As<TRichEdit>(c).wordWrap = BoolProp("WordWrap", v);
     }},
    {"PlainText", [](const TComponent& c) { return BoolText(As<TRichEdit>(c).plainText); },
     [](TComponent& c, const std::string& v) {
       As<TRichEdit>(c).plainText = BoolProp("PlainText", v);
     }},
    {"ReadOnly", [](const TComponent& c) { return BoolText(As<TRichEdit>(c).readOnly); },
     [](TComponent& c, const std::string& v) {
       As<TRichEdit>(c).readOnly = BoolProp("ReadOnly", v);
     }},
    {"ScrollBars", nullptr,
     [](TComponent&, const std::string& v) {
       EnumProp("ScrollBars", v, {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
     }},
};

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  return text;
}
}  // namespace

TRichEdit::TRichEdit(TComponent* owner) : TWinControl(owner) {
  tabStop_ = true;
  parentColor_ = false;
  color_ = clWindow;
}

const PropertyDef* TRichEdit::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kRichEditProperties, name)) return p;
  return TWinControl::FindProperty(name);
}

bool TRichEdit::ReadList(const std::string& name, const std::vector<std::string>& items) {
  if (name != "Lines.Strings") return false;
  SetLines(items);
  return true;
}

void TRichEdit::SetLines(const std::vector<std::string>& lines) {
  lines_ = lines;
  caption_ = JoinLines(lines_);
  if (handle_) SetWindowTextA(handle_, caption_.c_str());
}

std::string TRichEdit::Text() const {
  return JoinLines(lines_);
}

void TRichEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  static HMODULE library = LoadLibraryA("riched20.dll");
  params.windowClass = library ? RICHEDIT_CLASSA : "EDIT";
  params.systemClass = true;
  params.exStyle = WS_EX_CLIENTEDGE;
  params.style &= ~WS_CLIPCHILDREN;
  params.style |= ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | ES_AUTOVSCROLL;
  if (!wordWrap) params.style |= WS_HSCROLL | ES_AUTOHSCROLL;
  if (readOnly) params.style |= ES_READONLY;
}

void TRichEdit::CreateWnd() {
  if (plainText) SendMessageA(handle_, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
  TWinControl::CreateWnd();
  SetWindowTextA(handle_, caption_.c_str());
}

// ----------------------------------------------------------------- TUpDown

namespace {
const PropertyDef kUpDownProperties[] = {
    {"Min", [](const TComponent& c) { return IntText(As<TUpDown>(c).min); },
     [](TComponent& c, const std::string& v) { As<TUpDown>(c).min = IntProp("Min", v); }},
    {"Max", [](const TComponent& c) { return IntText(As<TUpDown>(c).max); },
     [](TComponent& c, const std::string& v) { As<TUpDown>(c).max = IntProp("Max", v); }},
    {"Increment", [](const TComponent& c) { return IntText(As<TUpDown>(c).increment); },
     [](TComponent& c, const std::string& v) {
       As<TUpDown>(c).increment = IntProp("Increment", v);
     }},
    {"Position", [](const TComponent& c) { return IntText(As<TUpDown>(c).Position()); },
     [](TComponent& c, const std::string& v) {
       As<TUpDown>(c).SetPosition(IntProp("Position", v));
     }},
    {"Thousands", [](const TComponent& c) { return BoolText(As<TUpDown>(c).thousands); },
     [](TComponent& c, const std::string& v) {
       As<TUpDown>(c).thousands = BoolProp("Thousands", v);
     }},
    {"Wrap", [](const TComponent& c) { return BoolText(As<TUpDown>(c).wrap); },
     [](TComponent& c, const std::string& v) { As<TUpDown>(c).wrap = BoolProp("Wrap", v); }},
    {"Associate",
     [](const TComponent& c) {
       const TUpDown& u = As<TUpDown>(c);
       return u.Associate() ? u.Associate()->Name() : u.associateName;
     },
     [](TComponent& c, const std::string& v) {
       TUpDown& u = As<TUpDown>(c);
       u.associateName = v;
       if (!(u.ComponentState() & csLoading) && u.Owner()) {
         auto* edit = dynamic_cast<TWinControl*>(u.Owner()->FindComponent(v));
         if (!v.empty() && !edit) throw EPropertyError("Component " + v + " not found");
         u.SetAssociate(edit);
       }
     }},
};
}  // namespace

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) {
  width_ = 16;
  height_ = 24;
}

const PropertyDef* TUpDown::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kUpDownProperties, name)) return p;
  return TWinControl::FindProperty(name);
}

bool TUpDown::HasEvent(const std::string& name) const {
  return name == "OnChanging" || TWinControl::HasEvent(name);
}

void TUpDown::Loaded() {
  if (associateName.empty()) return;
  auto* edit =
      dynamic_cast<TWinControl*>(Owner() ? Owner()->FindComponent(associateName) : nullptr);
  if (!edit) throw Exception("Associate " + associateName + " of " + Name() + " not found");
  SetAssociate(edit);
}

int TUpDown::Position() const {
  if (handle_) return static_cast<int>(SendMessageA(handle_, UDM_GETPOS32, 0, 0));
  return position_;
}

void TUpDown::SetPosition(int position) {
  position_ = position;
  if (handle_) SendMessageA(handle_, UDM_SETPOS32, 0, position);
}

void TUpDown::SetAssociate(TWinControl* edit) {
  associate_ = edit;
  associateName = edit ? edit->Name() : "";
  if (handle_ && edit) {
    SendMessageA(handle_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit->Handle()), 0);
    SendMessageA(handle_, UDM_SETPOS32, 0, position_);
  }
}

void TUpDown::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.windowClass = UPDOWN_CLASSA;
  params.systemClass = true;
  params.exStyle = 0;
  params.style &= ~WS_CLIPCHILDREN;
  params.style |= UDS_SETBUDDYINT | UDS_ARROWKEYS;
  if (!thousands) params.style |= UDS_NOTHOUSANDS;
  if (wrap) params.style |= UDS_WRAP;
}

void TUpDown::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageA(handle_, UDM_SETRANGE32, min, max);
  UDACCEL accel = {0, static_cast<UINT>(increment > 0 ? increment : 1)};
  SendMessageA(handle_, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  if (associate_) {
    SendMessageA(handle_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
  }
  SendMessageA(handle_, UDM_SETPOS32, 0, position_);
}

void TUpDown::WndProc(TMessage& message) {
  if (message.Msg == CN_NOTIFY &&
      reinterpret_cast<NMHDR*>(message.LParam)->code == static_cast<UINT>(UDN_DELTAPOS)) {
    TEventArgs args;
    Fire("OnChanging", args);
    message.Result = 0;
    return;
  }
  if (message.Msg == CN_VSCROLL || message.Msg == CN_HSCROLL) {
    position_ = Position();
    Click();
    return;
  }
  TWinControl::WndProc(message);
}

// --------------------------------------------------------------- TTrackBar

namespace {
const PropertyDef kTrackBarProperties[] = {
    {"Min", [](const TComponent& c) { return IntText(As<TTrackBar>(c).min); },
     [](TComponent& c, const std::string& v) { As<TTrackBar>(c).min = IntProp("Min", v); }},
    {"Max", [](const TComponent& c) { return IntText(As<TTrackBar>(c).max); },
     [](TComponent& c, const std::string& v) { As<TTrackBar>(c).max = IntProp("Max", v); }},
    {"Position", [](const TComponent& c) { return IntText(As<TTrackBar>(c).Position()); },
     [](TComponent& c, const std::string& v) {
       As<TTrackBar>(c).SetPosition(IntProp("Position", v));
     }},
    {"Frequency", [](const TComponent& c) { return IntText(As<TTrackBar>(c).frequency); },
     [](TComponent& c, const std::string& v) {
       As<TTrackBar>(c).frequency = IntProp("Frequency", v);
     }},
    {"PageSize", [](const TComponent& c) { return IntText(As<TTrackBar>(c).pageSize); },
     [](TComponent& c, const std::string& v) {
       As<TTrackBar>(c).pageSize = IntProp("PageSize", v);
     }},
    {"LineSize", [](const TComponent& c) { return IntText(As<TTrackBar>(c).lineSize); },
     [](TComponent& c, const std::string& v) {
       As<TTrackBar>(c).lineSize = IntProp("LineSize", v);
     }},
    {"TickStyle", nullptr,
     [](TComponent& c, const std::string& v) {
       int style = EnumProp("TickStyle", v, {"tsNone", "tsAuto", "tsManual"});
       As<TTrackBar>(c).noTicks = style == 0;
       As<TTrackBar>(c).manualTicks = style == 2;
     }},
    {"TickMarks", nullptr,
     [](TComponent& c, const std::string& v) {
       int marks = EnumProp("TickMarks", v, {"tmBottomRight", "tmTopLeft", "tmBoth"});
       As<TTrackBar>(c).ticksTopLeft = marks == 1;
       As<TTrackBar>(c).ticksBoth = marks == 2;
     }},
};
}  // namespace

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
  tabStop_ = true;
  width_ = 150;
  height_ = 45;
}

const PropertyDef* TTrackBar::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kTrackBarProperties, name)) return p;
  return TWinControl::FindProperty(name);
}

bool TTrackBar::HasEvent(const std::string& name) const {
  return name == "OnChange" || TWinControl::HasEvent(name);
}

int TTrackBar::Position() const {
  if (handle_) return static_cast<int>(SendMessageA(handle_, TBM_GETPOS, 0, 0));
  return position_;
}

void TTrackBar::SetPosition(int position) {
  position_ = position;
  if (handle_) {
    SendMessageA(handle_, TBM_SETPOS, TRUE, position);
    Fire("OnChange");
  }
}

void TTrackBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.windowClass = TRACKBAR_CLASSA;
  params.systemClass = true;
  params.exStyle = 0;
  params.style &= ~WS_CLIPCHILDREN;
  params.style |= TBS_HORZ;
  if (noTicks)
    params.style |= TBS_NOTICKS;
  else if (!manualTicks)
    params.style |= TBS_AUTOTICKS;
  if (ticksBoth)
    params.style |= TBS_BOTH;
  else if (ticksTopLeft)
    params.style |= TBS_TOP;
}

void TTrackBar::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageA(handle_, TBM_SETRANGEMIN, FALSE, min);
  SendMessageA(handle_, TBM_SETRANGEMAX, FALSE, max);
  SendMessageA(handle_, TBM_SETTICFREQ, frequency, 0);
  SendMessageA(handle_, TBM_SETPAGESIZE, 0, pageSize);
  SendMessageA(handle_, TBM_SETLINESIZE, 0, lineSize);
  SendMessageA(handle_, TBM_SETPOS, TRUE, position_);
}

void TTrackBar::WndProc(TMessage& message) {
  if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
    int position = Position();
    if (position != position_) {
      position_ = position;
      Fire("OnChange");
    }
    return;
  }
  if (message.Msg == CN_CTLCOLORSTATIC) {
    message.Result = CtlColor(reinterpret_cast<HDC>(message.WParam));
    return;
  }
  TWinControl::WndProc(message);
}

}  // namespace velotune
