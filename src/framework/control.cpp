#include "framework/control.h"

#include <algorithm>

#include "framework/application.h"
#include "framework/form.h"
#include "framework/menus.h"
#include "framework/property_helpers.h"

namespace velotune {

namespace {

TAlign AlignProp(const std::string& text) {
  return static_cast<TAlign>(
      EnumProp("Align", text, {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}));
}
const char* const kAlignNames[] = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};

struct NamedCursor {
  const char* name;
  int id;
};
const NamedCursor kCursors[] = {{"crDefault", crDefault},
                                {"crArrow", crArrow},
                                {"crIBeam", crIBeam},
                                {"crHandPoint", crHandPoint}};

int CursorProp(const std::string& text) {
  for (const NamedCursor& c : kCursors)
    if (text == c.name) return c.id;
  return IntProp("Cursor", text);
}
std::string CursorText(int id) {
  for (const NamedCursor& c : kCursors)
    if (c.id == id) return c.name;
  return IntText(id);
}

int CharsetProp(const std::string& text) {
  static const std::pair<const char*, int> kCharsets[] = {
      {"ANSI_CHARSET", ANSI_CHARSET},
      {"DEFAULT_CHARSET", DEFAULT_CHARSET},
      {"SYMBOL_CHARSET", SYMBOL_CHARSET},
      {"OEM_CHARSET", OEM_CHARSET},
      {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET},
      {"RUSSIAN_CHARSET", RUSSIAN_CHARSET}};
  for (const auto& c : kCharsets)
    if (text == c.first) return c.second;
  return IntProp("Font.Charset", text);
}

TColor ColorProp(const std::string& name, const std::string& text) {
  TColor color;
  if (!ParseColorText(text, &color))
    throw EPropertyError("Invalid property value '" + text + "' for " + name);
  return color;
}

TControl& C(TComponent& c) {
  return static_cast<TControl&>(c);
}
const TControl& C(const TComponent& c) {
  return static_cast<const TControl&>(c);
}

// Ordered so that the description can set them one by one.
const PropertyDef kControlProperties[] = {
    {"Left", [](const TComponent& c) { return IntText(C(c).Left()); },
     [](TComponent& c, const std::string& v) {
       C(c).SetBounds(IntProp("Left", v), C(c).Top(), C(c).Width(), C(c).Height());
     }},
    {"Top", [](const TComponent& c) { return IntText(C(c).Top()); },
     [](TComponent& c, const std::string& v) {
       C(c).SetBounds(C(c).Left(), IntProp("Top", v), C(c).Width(), C(c).Height());
     }},
    {"Width", [](const TComponent& c) { return IntText(C(c).Width()); },
     [](TComponent& c, const std::string& v) {
       C(c).SetBounds(C(c).Left(), C(c).Top(), IntProp("Width", v), C(c).Height());
     }},
    {"Height", [](const TComponent& c) { return IntText(C(c).Height()); },
     [](TComponent& c, const std::string& v) {
       C(c).SetBounds(C(c).Left(), C(c).Top(), C(c).Width(), IntProp("Height", v));
     }},
    {"Visible", [](const TComponent& c) { return BoolText(C(c).Visible()); },
     [](TComponent& c, const std::string& v) { C(c).SetVisible(BoolProp("Visible", v)); }},
    {"Enabled", [](const TComponent& c) { return BoolText(C(c).Enabled()); },
     [](TComponent& c, const std::string& v) { C(c).SetEnabled(BoolProp("Enabled", v)); }},
    {"Caption", [](const TComponent& c) { return C(c).Caption(); },
     [](TComponent& c, const std::string& v) { C(c).SetCaption(v); }},
    {"Hint", [](const TComponent& c) { return C(c).Hint(); },
     [](TComponent& c, const std::string& v) { C(c).SetHint(v); }},
    {"ShowHint", [](const TComponent& c) { return BoolText(C(c).ShowHint()); },
     [](TComponent& c, const std::string& v) { C(c).SetShowHint(BoolProp("ShowHint", v)); }},
    {"ParentShowHint", nullptr,
     [](TComponent& c, const std::string& v) {
       C(c).SetParentShowHint(BoolProp("ParentShowHint", v));
     }},
    {"HelpKeyword", [](const TComponent& c) { return C(c).HelpKeyword(); },
     [](TComponent& c, const std::string& v) { C(c).SetHelpKeyword(v); }},
    {"HelpContext", [](const TComponent& c) { return IntText(C(c).HelpContext()); },
     [](TComponent& c, const std::string& v) { C(c).SetHelpContext(IntProp("HelpContext", v)); }},
    {"HelpType", nullptr,
     [](TComponent&, const std::string& v) {
       EnumProp("HelpType", v, {"htKeyword", "htContext"});
     }},
    {"Cursor", [](const TComponent& c) { return CursorText(C(c).Cursor()); },
     [](TComponent& c, const std::string& v) { C(c).SetCursor(CursorProp(v)); }},
    {"Color", [](const TComponent& c) { return ColorText(C(c).Color()); },
     [](TComponent& c, const std::string& v) { C(c).SetColor(ColorProp("Color", v)); }},
    {"ParentColor", [](const TComponent& c) { return BoolText(C(c).ParentColor()); },
     [](TComponent& c, const std::string& v) { C(c).SetParentColor(BoolProp("ParentColor", v)); }},
    {"ParentFont", [](const TComponent& c) { return BoolText(C(c).ParentFont()); },
     [](TComponent& c, const std::string& v) { C(c).SetParentFont(BoolProp("ParentFont", v)); }},
    {"Font.Name", [](const TComponent& c) { return C(c).Font().Name(); },
     [](TComponent& c, const std::string& v) { C(c).Font().SetName(v); }},
    {"Font.Height", [](const TComponent& c) { return IntText(C(c).Font().Height()); },
     [](TComponent& c, const std::string& v) { C(c).Font().SetHeight(IntProp("Font.Height", v)); }},
    {"Font.Size", [](const TComponent& c) { return IntText(C(c).Font().Size()); },
     [](TComponent& c, const std::string& v) { C(c).Font().SetSize(IntProp("Font.Size", v)); }},
    {"Font.Color", [](const TComponent& c) { return ColorText(C(c).Font().Color()); },
     [](TComponent& c, const std::string& v) { C(c).Font().SetColor(ColorProp("Font.Color", v)); }},
    {"Font.Style", [](const TComponent& c) { return TFont::StyleText(C(c).Font().Style()); },
     [](TComponent& c, const std::string& v) { C(c).Font().SetStyle(TFont::ParseStyle(v)); }},
    {"Font.Charset", [](const TComponent& c) { return IntText(C(c).Font().Charset()); },
     [](TComponent& c, const std::string& v) { C(c).Font().SetCharset(CharsetProp(v)); }},
    {"PopupMenu",
     [](const TComponent& c) { return C(c).PopupMenu() ? C(c).PopupMenu()->Name() : ""; },
     [](TComponent& c, const std::string& v) { C(c).SetPopupMenuName(v); }},
    {"Align", [](const TComponent& c) { return std::string(kAlignNames[C(c).Align()]); },
     [](TComponent& c, const std::string& v) { C(c).SetAlign(AlignProp(v)); }},
    {"Anchors", nullptr,
     [](TComponent&, const std::string& v) {
       std::vector<std::string> members;
       if (!ParseSetText(v, &members)) throw EPropertyError("Invalid property value for Anchors");
       for (const std::string& m : members)
         EnumProp("Anchors", m, {"akLeft", "akTop", "akRight", "akBottom"});
     }},
};

}  // namespace

// ---------------------------------------------------------------- TControl

TControl::TControl(TComponent* owner) : TComponent(owner) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  font_.OnChange = [this] {
    parentFont_ = false;
    FontChanged();
  };
}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
}

const PropertyDef* TControl::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kControlProperties, name)) return p;
  return TComponent::FindProperty(name);
}

bool TControl::HasEvent(const std::string& name) const {
  return name == "OnClick" || name == "OnDblClick" || name == "OnMouseDown" ||
         name == "OnMouseUp" || name == "OnMouseMove";
}

void TControl::Click() {
  Fire("OnClick");
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (SetReference(popupMenu_, menu)) popupMenuName_ = menu ? menu->Name() : "";
}

void TControl::SetPopupMenuName(const std::string& name) {
  popupMenuName_ = name;
  // The description may create the menu further down.
  if (!(ComponentState() & csLoading)) SetPopupMenu(FindReference<TPopupMenu>(*this, name));
}

void TControl::Loaded() {
  if (!popupMenuName_.empty()) SetPopupMenu(FindReference<TPopupMenu>(*this, popupMenuName_));
}

void TControl::Notification(TComponent* freed) {
  if (freed == popupMenu_) popupMenu_ = nullptr;
}

void TControl::SetParentComponent(TComponent* parent) {
  auto* windowed = dynamic_cast<TWinControl*>(parent);
  if (!windowed) throw EPropertyError(std::string("Control ") + Name() + " has no windowed parent");
  SetParent(windowed);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) parent_->RemoveControl(this);
  parent_ = parent;
  if (parent_) {
    parent_->InsertControl(this);
    if (parentFont_) ParentFontChanged();
    if (parentColor_) ParentColorChanged();
  }
}

TForm* TControl::ParentForm() const {
  const TControl* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  if (!dynamic_cast<TWinControl*>(this) && parent_) Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  BoundsChanged();
  if (!dynamic_cast<TWinControl*>(this) && parent_) Invalidate();
  if (parent_ && align_ != alNone) parent_->AlignControls();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  if (!visible) Invalidate();
  visible_ = visible;
  VisibleChanged();
  if (visible) Invalidate();
  Perform(CM_VISIBLECHANGED, visible);
  if (parent_ && align_ != alNone) parent_->AlignControls();
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  EnabledChanged();
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetCaption(const std::string& text) {
  if (text == caption_) return;
  caption_ = text;
  TextChanged();
  Perform(CM_TEXTCHANGED);
}

void TControl::SetParentFont(bool value) {
  parentFont_ = value;
  if (value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!parentFont_ || !parent_) return;
  font_.OnChange = nullptr;
  font_.Assign(parent_->Font());
  font_.OnChange = [this] {
    parentFont_ = false;
    FontChanged();
  };
  FontChanged();
  parentFont_ = true;
}

void TControl::SetColor(TColor color) {
  parentColor_ = false;
  if (color == color_) return;
  color_ = color;
  ColorChanged();
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
  parentColor_ = value;
  if (value) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!parentColor_ || !parent_) return;
  color_ = parent_->Color();
  ColorChanged();
}

bool TControl::ShowHint() const {
  if (parentShowHint_ && parent_) return parent_->ShowHint();
  return showHint_;
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_) parent_->AlignControls();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WindowProc(m);
  return m.Result;
}

void TControl::Invalidate() {
  // Only on screen: see TWinControl::Invalidate.
  if (parent_ && parent_->HandleAllocated() && IsWindowVisible(parent_->Handle())) {
    RECT r = BoundsRect();
    InvalidateRect(parent_->Handle(), &r, FALSE);
  }
}

void TControl::ChangeScale(int m, int d) {
  SetBounds(ScaleRounded(left_, m, d), ScaleRounded(top_, m, d), ScaleRounded(width_, m, d),
            ScaleRounded(height_, m, d));
  if (!parentFont_) font_.SetHeight(ScaleRounded(font_.Height(), m, d));
}

void TControl::WndProc(TMessage& message) {
  TEventArgs args;
  switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDBLCLK:
      args.X = static_cast<short>(LOWORD(message.LParam));
      args.Y = static_cast<short>(HIWORD(message.LParam));
      if (message.WParam & MK_SHIFT) args.Shift |= kShiftKey;
      if (message.WParam & MK_CONTROL) args.Shift |= kCtrlKey;
      args.Button = (message.Msg == WM_RBUTTONDOWN || message.Msg == WM_RBUTTONUP)   ? 1
                    : (message.Msg == WM_MBUTTONDOWN || message.Msg == WM_MBUTTONUP) ? 2
                                                                                     : 0;
      if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_RBUTTONDOWN ||
          message.Msg == WM_MBUTTONDOWN)
        Fire("OnMouseDown", args);
      else if (message.Msg == WM_LBUTTONUP || message.Msg == WM_RBUTTONUP ||
               message.Msg == WM_MBUTTONUP)
        Fire("OnMouseUp", args);
      else if (message.Msg == WM_MOUSEMOVE)
        Fire("OnMouseMove", args);
      else if (message.Msg == WM_LBUTTONDBLCLK)
        Fire("OnDblClick", args);
      break;
    default:
      break;
  }
}

// ------------------------------------------------------------ TGraphicControl

void TGraphicControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT:
      Paint(reinterpret_cast<HDC>(message.WParam));
      return;
    case WM_LBUTTONDOWN:
      pressed_ = true;
      break;
    case WM_LBUTTONUP: {
      bool wasPressed = pressed_;
      pressed_ = false;
      TControl::WndProc(message);
      int x = static_cast<short>(LOWORD(message.LParam));
      int y = static_cast<short>(HIWORD(message.LParam));
      if (wasPressed && x >= 0 && y >= 0 && x < width_ && y < height_) Click();
      return;
    }
    default:
      break;
  }
  TControl::WndProc(message);
}

// --------------------------------------------------------------------- helpers

void RaiseLastOSError() {
  DWORD code = GetLastError();
  char* text = nullptr;
  FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = text ? text : "";
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
  throw EOSError(code, message);
}

int DrawControlText(HDC dc, const TControl& control, const std::string& text, RECT rect,
                    UINT format) {
  HGDIOBJ old = SelectObject(dc, control.Font().Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(
      dc, control.Enabled() ? ColorToRGB(control.Font().Color()) : GetSysColor(COLOR_GRAYTEXT));
  int height = DrawTextA(dc, text.c_str(), -1, &rect, format);
  SelectObject(dc, old);
  return height;
}

}  // namespace velotune
