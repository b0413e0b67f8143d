// Up-downs bound to an edit, and track bars.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

#include "framework/property_helpers.h"
#include "framework/std_controls.h"

namespace velotune {

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
  TWinControl::Loaded();
  if (associateName.empty()) return;
  auto* edit =
      dynamic_cast<TWinControl*>(Owner() ? Owner()->FindComponent(associateName) : nullptr);
  if (!edit) throw Exception("Associate " + associateName + " of " + Name() + " not found");
  SetAssociate(edit);
}

namespace {

bool InRange(int value, int min, int max) {
  return min <= max ? value >= min && value <= max : value >= max && value <= min;
}

int Clamped(int value, int min, int max) {
  if (min > max) std::swap(min, max);
  return std::max(min, std::min(value, max));
}

char ThousandSeparator() {
  char separator[4] = {};
  return GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator) > 1
             ? separator[0]
             : ',';
}

}  // namespace

int TUpDown::Position() const {
  if (handle_) return static_cast<int>(SendMessageA(handle_, UDM_GETPOS32, 0, 0));
  return PositionFromEdit();
}

int TUpDown::PositionFromEdit() const {
  // As the window does: a whole number in range in its edit (separators
  // left out) becomes the position; anything else leaves the last one.
  if (!associate_ || (ComponentState() & csLoading)) return position_;
  const char separator = ThousandSeparator();
  std::string digits;
  for (char c : associate_->Caption())
    if (c != separator) digits += c;
  // An empty edit reads as 0.
  char* end = nullptr;
  const long value = std::strtol(digits.c_str(), &end, 10);
  if (!*end && value >= INT_MIN && value <= INT_MAX && InRange(static_cast<int>(value), min, max))
    position_ = static_cast<int>(value);
  return position_;
}

void TUpDown::SetPosition(int position) {
  if (ComponentState() & csLoading) {
    position_ = position;  // the range may come later in the description
    return;
  }
  if (handle_) {
    SendMessageA(handle_, UDM_SETPOS32, 0, position);
    position_ = Position();
    return;
  }
  // As the window does: kept in range and written into its edit.
  position_ = Clamped(position, min, max);
  if (associate_) associate_->SetCaption(PositionText());
}

std::string TUpDown::PositionText() const {
  std::string text = std::to_string(position_ < 0 ? -static_cast<long long>(position_) : position_);
  if (thousands)
    for (int at = static_cast<int>(text.size()) - 3; at > 0; at -= 3)
      text.insert(static_cast<std::size_t>(at), 1, ThousandSeparator());
  return position_ < 0 ? "-" + text : text;
}

void TUpDown::SetAssociate(TWinControl* edit) {
  associate_ = edit;
  associateName = edit ? edit->Name() : "";
  if (!edit) return;
  if (handle_) {
    SendMessageA(handle_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit->Handle()), 0);
    SendMessageA(handle_, UDM_SETPOS32, 0, position_);
    return;
  }
  // As the window does when given its edit: the position, kept in range,
  // shows there.
  position_ = Clamped(position_, min, max);
  edit->SetCaption(PositionText());
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
  // The system's up-down may make itself as wide as it likes as it is made;
  // one made after a rescale (its page shown late) keeps the rescaled width.
  RECT r;
  GetWindowRect(handle_, &r);
  if (r.right - r.left != width_ || r.bottom - r.top != height_)
    SetWindowPos(handle_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(handle_, UDM_SETRANGE32, min, max);
  UDACCEL accel = {0, static_cast<UINT>(increment > 0 ? increment : 1)};
  SendMessageA(handle_, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  // Its edit may have been changed while it waited for its window.
  position_ = PositionFromEdit();
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

namespace {
const PropertyDef kTrackBarProperties[] = {
    {"Orientation",
     [](const TComponent& c) {
       return std::string(As<TTrackBar>(c).vertical ? "trVertical" : "trHorizontal");
     },
     [](TComponent& c, const std::string& v) {
       As<TTrackBar>(c).vertical = EnumProp("Orientation", v, {"trHorizontal", "trVertical"}) == 1;
     }},
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
  if (ComponentState() & csLoading) {
    position_ = position;  // the range may come later in the description
    return;
  }
  // Kept in range as the window keeps it, and told whether it has its
  // window yet or not.
  position_ = Clamped(position, min, max);
  if (handle_) SendMessageA(handle_, TBM_SETPOS, TRUE, position_);
  Fire("OnChange");
}

void TTrackBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.windowClass = TRACKBAR_CLASSA;
  params.systemClass = true;
  params.exStyle = 0;
  params.style &= ~WS_CLIPCHILDREN;
  params.style |= vertical ? TBS_VERT : TBS_HORZ;
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
