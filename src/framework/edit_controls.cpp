// Edits, drop-down lists and the rich edit.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <richedit.h>

#include "framework/property_helpers.h"
#include "framework/std_controls.h"

namespace velotune {

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

}  // namespace velotune
