#include "framework/form.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>

#include "framework/application.h"
#include "framework/containers.h"
#include "framework/form_loader.h"
#include "framework/graphic_controls.h"
#include "framework/menus.h"
#include "framework/shortcuts.h"
#include "framework/std_controls.h"
#include "framework/suspended_painting.h"
#include "platform/text_case.h"

namespace velotune {

namespace {

TForm& F(TComponent& c) {
  return static_cast<TForm&>(c);
}
const TForm& F(const TComponent& c) {
  return static_cast<const TForm&>(c);
}

const std::vector<const char*> kBorderStyles = {"bsNone",   "bsSingle",     "bsSizeable",
                                                "bsDialog", "bsToolWindow", "bsSizeToolWin"};
const std::vector<const char*> kPositions = {
    "poDesigned",     "poDefault",       "poDefaultPosOnly", "poDefaultSizeOnly",
    "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"};
const std::vector<const char*> kBorderIcons = {"biSystemMenu", "biMinimize", "biMaximize",
                                               "biHelp"};

const PropertyDef kFormProperties[] = {
    {"ClientWidth", [](const TComponent& c) { return IntText(F(c).ClientWidth()); },
     [](TComponent& c, const std::string& v) {
       F(c).SetClientSize(IntProp("ClientWidth", v), F(c).ClientHeight());
     }},
    {"ClientHeight", [](const TComponent& c) { return IntText(F(c).ClientHeight()); },
     [](TComponent& c, const std::string& v) {
       F(c).SetClientSize(F(c).ClientWidth(), IntProp("ClientHeight", v));
     }},
    {"BorderStyle",
     [](const TComponent& c) { return std::string(kBorderStyles[F(c).borderStyle]); },
     [](TComponent& c, const std::string& v) {
       F(c).borderStyle = static_cast<TFormBorderStyle>(EnumProp("BorderStyle", v, kBorderStyles));
     }},
    {"Position", [](const TComponent& c) { return std::string(kPositions[F(c).position]); },
     [](TComponent& c, const std::string& v) {
       F(c).position = static_cast<TPosition>(EnumProp("Position", v, kPositions));
     }},
    {"BorderIcons",
     [](const TComponent& c) {
       std::vector<std::string> members;
       for (std::size_t i = 0; i < kBorderIcons.size(); ++i)
         if (F(c).borderIcons & (1u << i)) members.push_back(kBorderIcons[i]);
       return SetText(members);
     },
     [](TComponent& c, const std::string& v) {
       std::vector<std::string> members;
       if (!ParseSetText(v, &members))
         throw EPropertyError("Invalid property value for BorderIcons");
       unsigned icons = 0;
       for (const std::string& m : members) icons |= 1u << EnumProp("BorderIcons", m, kBorderIcons);
       F(c).borderIcons = icons;
     }},
    {"ModalResult", [](const TComponent& c) { return IntText(F(c).ModalResult()); },
     [](TComponent& c, const std::string& v) { F(c).SetModalResult(IntProp("ModalResult", v)); }},
    {"Menu", [](const TComponent& c) { return F(c).Menu() ? F(c).Menu()->Name() : ""; },
     [](TComponent& c, const std::string& v) { F(c).SetMenuName(v); }},
};

}  // namespace

namespace {
std::vector<TForm*>& LiveForms() {
  static std::vector<TForm*> forms;
  return forms;
}
void CollectWindowed(const TWinControl& container, std::vector<TWinControl*>* out) {
  for (TWinControl* child : container.TabList()) {
    out->push_back(child);
    CollectWindowed(*child, out);
  }
}
}  // namespace

const std::vector<TForm*>& TForm::Forms() {
  return LiveForms();
}

std::vector<TWinControl*> TForm::TabOrderList() const {
  std::vector<TWinControl*> list;
  CollectWindowed(*this, &list);
  return list;
}

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  LiveForms().push_back(this);
  visible_ = false;
  parentColor_ = false;
  parentFont_ = false;
  tabOrder_ = 0;
}

TForm::~TForm() {
  // The menu bar leaves the window quietly: nobody rebuilds a going form.
  if (menu_) {
    menu_->form_ = nullptr;
    SetReference(menu_, static_cast<TMainMenu*>(nullptr));
    if (handle_) ::SetMenu(handle_, nullptr);
  }
  LiveForms().erase(std::find(LiveForms().begin(), LiveForms().end(), this));
  if (Application().MainForm() == this) Application().SetMainForm(nullptr);
  // Components go while the window still exists, then the window.
  while (!Components().empty()) delete Components().back();
  DestroyHandle();
  if (icon_) DestroyIcon(icon_);
}

const PropertyDef* TForm::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kFormProperties, name)) return p;
  return TWinControl::FindProperty(name);
}

bool TForm::HasEvent(const std::string& name) const {
  return name == "OnCreate" || name == "OnShow" || name == "OnClose" || name == "OnDestroy" ||
         name == "OnActivate" || TWinControl::HasEvent(name);
}

bool TForm::ReadBinary(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  if (name != "Icon.Data") return false;
  // An ICO file: the directory's first image.
  if (bytes.size() >= 6 + 16 && bytes[2] == 1 && bytes[4] > 0) {
    const std::uint8_t* entry = bytes.data() + 6;
    std::uint32_t size = entry[8] | (entry[9] << 8) | (entry[10] << 16) | (entry[11] << 24);
    std::uint32_t offset = entry[12] | (entry[13] << 8) | (entry[14] << 16) | (entry[15] << 24);
    if (offset < bytes.size() && size <= bytes.size() - offset) {
      if (icon_) DestroyIcon(icon_);
      icon_ = CreateIconFromResourceEx(const_cast<std::uint8_t*>(bytes.data()) + offset, size, TRUE,
                                       0x00030000, 0, 0, LR_DEFAULTCOLOR);
    }
  }
  return true;  // a damaged icon leaves the default one
}

ComponentClasses& TForm::Classes() {
  static ComponentClasses classes;
  return classes;
}

void TForm::LoadDescription(const std::string& text, const std::string& file) {
  LoadComponentTree(*this, ParseFormDescription(text, file), file, Classes());
  if (!Application().MainForm()) Application().SetMainForm(this);
  // A failing OnCreate is reported and the form is created all the same.
  try {
    Fire("OnCreate");
  } catch (const std::exception& e) {
    Application().HandleException(e);
  }
}

void TForm::LoadDescriptionResource(const char* resourceName, const std::string& file) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC resource = FindResourceA(module, resourceName, MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (!data) throw Exception("Form description " + file + " not found in the program");
  LoadDescription(std::string(data, SizeofResource(module, resource)), file);
}

void TForm::SetClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
  if (handle_) {
    // The frame the window has now, whoever draws it; a minimized window
    // has no client area to measure it by.
    RECT window{0, 0, 0, 0}, client{0, 0, 0, 0};
    if (IsIconic(handle_)) {
      AdjustWindowRectEx(&window, GetWindowLongA(handle_, GWL_STYLE), GetMenu(handle_) != nullptr,
                         GetWindowLongA(handle_, GWL_EXSTYLE));
    } else {
      GetWindowRect(handle_, &window);
      GetClientRect(handle_, &client);
    }
    const int frameWidth = (window.right - window.left) - client.right;
    const int frameHeight = (window.bottom - window.top) - client.bottom;
    SetBounds(left_, top_, width + frameWidth, height + frameHeight);
  }
}

int TForm::ClientWidth() const {
  return handle_ ? TWinControl::ClientWidth() : clientWidth_;
}
int TForm::ClientHeight() const {
  return handle_ ? TWinControl::ClientHeight() : clientHeight_;
}

void TForm::CreateParams(TCreateParams& params) {
  params.windowClass = ClassName();
  DWORD style = WS_CLIPCHILDREN | WS_CAPTION;
  DWORD exStyle = WS_EX_CONTROLPARENT;
  switch (borderStyle) {
    case bsNone:
      style = WS_POPUP | WS_CLIPCHILDREN;
      break;
    case bsSingle:
    case bsToolWindow:
      style |= WS_BORDER;
      break;
    case bsDialog:
      style |= WS_BORDER;
      exStyle |= WS_EX_DLGMODALFRAME;
      break;
    default:
      style |= WS_THICKFRAME;
      break;
  }
  if (borderStyle == bsToolWindow || borderStyle == bsSizeToolWin) exStyle |= WS_EX_TOOLWINDOW;
  if (borderStyle != bsNone && (borderIcons & biSystemMenu)) {
    style |= WS_SYSMENU;
    if (borderStyle != bsDialog) {
      if (borderIcons & biMinimize) style |= WS_MINIMIZEBOX;
      if (borderIcons & biMaximize) style |= WS_MAXIMIZEBOX;
    }
  }
  params.style = style;
  params.exStyle = exStyle;
  int width = width_, height = height_;
  if (clientWidth_ > 0 || clientHeight_ > 0) {
    RECT r{0, 0, clientWidth_, clientHeight_};
    AdjustWindowRectEx(&r, style, menu_ != nullptr, exStyle);
    width = r.right - r.left;
    height = r.bottom - r.top;
  }
  width_ = width;
  height_ = height;
  params.x = left_;
  params.y = top_;
  params.width = width;
  params.height = height;
  // Owned by the owner form (a dialog by whoever is active), so that it
  // stays above it.
  TForm* ownerForm = dynamic_cast<TForm*>(Owner());
  if (ownerForm && ownerForm->HandleAllocated())
    params.parentWindow = ownerForm->Handle();
  else if (Application().MainForm() && Application().MainForm() != this &&
           Application().MainForm()->HandleAllocated())
    params.parentWindow = Application().MainForm()->Handle();
}

void TForm::CreateWnd() {
  if (menu_) ::SetMenu(handle_, menu_->Handle());
  if (icon_) {
    SendMessageA(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  }
  // The leaf controls' windows wait for the form's first showing: by then
  // the form has its size (a resize kit gives it as the form is shown), so
  // they are made where they stay instead of made and then moved.
  leafWindowsWait_ = !visible_;
  TWinControl::CreateWnd();
  tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0,
                             0, 0, 0, handle_, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (tooltip_) SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
  RefreshHints();
}

void TForm::DestroyWnd() {
  tooltip_ = nullptr;  // destroyed with its owner
}

namespace {
// The control's hint, when it shows one, for the tool-tip window; a window
// whose control waits has none to show it over yet.
void AddHint(HWND tooltip, TWinControl& container, TControl& control) {
  if (control.Hint().empty() || !control.ShowHint()) return;
  TOOLINFOA info = {};
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.uFlags = TTF_SUBCLASS;
  info.lpszText = const_cast<char*>(control.Hint().c_str());
  info.hwnd = container.Handle();
  if (auto* windowed = dynamic_cast<TWinControl*>(&control)) {
    if (!windowed->HandleAllocated()) return;
    info.uFlags |= TTF_IDISHWND;
    info.uId = reinterpret_cast<UINT_PTR>(windowed->Handle());
  } else {
    info.uId = reinterpret_cast<UINT_PTR>(&control);
    info.rect = control.BoundsRect();
  }
  SendMessageA(tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void AddHints(HWND tooltip, TWinControl& container) {
  for (TControl* c : container.Controls()) {
    AddHint(tooltip, container, *c);
    auto* windowed = dynamic_cast<TWinControl*>(c);
    if (windowed && windowed->HandleAllocated()) AddHints(tooltip, *windowed);
  }
}
}  // namespace

void TForm::SetMenu(TMainMenu* menu) {
  if (menu == menu_) return;
  if (menu_) menu_->form_ = nullptr;
  // A menu bar belongs to one window at a time.
  if (menu && menu->Form()) menu->Form()->SetMenu(nullptr);
  SetReference(menu_, menu);
  menuName_ = menu ? menu->Name() : "";
  if (menu) menu->form_ = this;
  if (handle_) {
    ::SetMenu(handle_, menu ? menu->Handle() : nullptr);
    Perform(CM_MENUCHANGED, 0, reinterpret_cast<LPARAM>(menu));
  }
}

void TForm::SetMenuName(const std::string& name) {
  menuName_ = name;
  // The description may create the menu further down.
  if (!(ComponentState() & csLoading)) SetMenu(FindReference<TMainMenu>(*this, name));
}

void TForm::Loaded() {
  TWinControl::Loaded();
  if (!menuName_.empty()) SetMenu(FindReference<TMainMenu>(*this, menuName_));
}

void TForm::Notification(TComponent* freed) {
  TWinControl::Notification(freed);
  if (freed == menu_) {
    menu_ = nullptr;
    menuName_.clear();
    if (handle_) {
      ::SetMenu(handle_, nullptr);
      Perform(CM_MENUCHANGED, 0, 0);
    }
  }
}

bool TForm::IsShortCut(TShortCut shortCut) {
  if (shortCut == scNone) return false;
  for (TControl* c = TWinControl::FromHandle(GetFocus()); c; c = c->Parent()) {
    if (c->ParentForm() != this) break;
    if (c->PopupMenu() && c->PopupMenu()->IsShortCut(shortCut)) return true;
  }
  return menu_ && menu_->IsShortCut(shortCut);
}

void TForm::RefreshHints() {
  if (tooltip_ && !leafWindowsWait_) AddHints(tooltip_, *this);
}

void TForm::RegisterHint(TWinControl& control) {
  if (!tooltip_ || leafWindowsWait_) return;
  if (control.Parent()) AddHint(tooltip_, *control.Parent(), control);
  // Controls without windows show their hints over this one's.
  for (TControl* child : control.Controls())
    if (!dynamic_cast<TWinControl*>(child)) AddHint(tooltip_, control, *child);
}

void TForm::MakeChildWindows() {
  if (!handle_ || !leafWindowsWait_) return;
  leafWindowsWait_ = false;
  CreateChildWindowsInOneGo();
  AlignControls();
  RefreshHints();
}

void TForm::PlaceWindow() {
  if (!handle_) return;
  RECT window;
  GetWindowRect(handle_, &window);
  int width = window.right - window.left, height = window.bottom - window.top;
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  switch (position) {
    case poScreenCenter:
    case poDesktopCenter:
      break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TForm* over = dynamic_cast<TForm*>(Owner());
      if (!over || position == poMainFormCenter) over = Application().MainForm();
      if (over && over != this && over->HandleAllocated()) GetWindowRect(over->Handle(), &area);
      break;
    }
    default:
      return;
  }
  int x = area.left + (area.right - area.left - width) / 2;
  int y = area.top + (area.bottom - area.top - height) / 2;
  SetWindowPos(handle_, nullptr, std::max(x, 0), std::max(y, 0), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  left_ = std::max(x, 0);
  top_ = std::max(y, 0);
}

void TForm::Show() {
  HandleNeeded();
  if (!shownOnce_) {
    shownOnce_ = true;
    PlaceWindow();
  }
  Fire("OnShow");
  visible_ = true;
  ShowWindow(handle_, SW_SHOW);
  MakeChildWindows();  // shown some other way than through WM_SHOWWINDOW
  SetForegroundWindow(handle_);
  if (!activeControl_) {
    for (TWinControl* c : TabList()) {
      if (c->TabStop() && c->CanFocus()) {
        c->SetFocus();
        break;
      }
    }
  }
}

namespace {
struct DisabledWindows {
  HWND except;
  std::vector<HWND> windows;
};
BOOL CALLBACK DisableThreadWindow(HWND window, LPARAM data) {
  auto* state = reinterpret_cast<DisabledWindows*>(data);
  if (window != state->except && IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    state->windows.push_back(window);
  }
  return TRUE;
}
}  // namespace

int TForm::ShowModal() {
  HandleNeeded();
  if (GetCapture()) ReleaseCapture();
  DisabledWindows disabled{handle_, {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableThreadWindow, reinterpret_cast<LPARAM>(&disabled));
  modal_ = true;
  modalResult_ = mrNone;
  try {
    Show();
    Application().RunModal(*this);
  } catch (...) {
    for (HWND w : disabled.windows) EnableWindow(w, TRUE);
    modal_ = false;
    throw;
  }
  // Owners come back before this window goes, so activation returns to them.
  for (HWND w : disabled.windows) EnableWindow(w, TRUE);
  modal_ = false;
  if (handle_) {
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  visible_ = false;
  return modalResult_;
}

void TForm::Close() {
  TEventArgs args;
  args.Action = modal_ ? caHide : (freeOnClose_ ? caFree : caHide);
  if (Application().MainForm() == this && !modal_) args.Action = caFree;
  // A failing OnClose is reported; the form still closes.
  try {
    Fire("OnClose", args);
  } catch (const std::exception& e) {
    Application().HandleException(e);
  }
  if (args.Action == caNone) return;
  if (modal_) {
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    return;
  }
  if (Application().MainForm() == this) {
    Application().Terminate();
    return;
  }
  if (args.Action == caFree) {
    Release();
  } else if (args.Action == caMinimize) {
    ShowWindow(handle_, SW_MINIMIZE);
  } else {
    Hide();
  }
}

namespace {
constexpr UINT kReleaseMessage = WM_APP + 0x2F0;
}

void TForm::Release() {
  if (handle_) PostMessageA(handle_, kReleaseMessage, 0, 0);
}

void TForm::ScaleBy(int m, int d) {
  int clientWidth = ClientWidth(), clientHeight = ClientHeight();
  {
    // The window shows the controls when they all have their new size.
    SuspendedPainting suspended(handle_);
    font_.SetHeight(ScaleRounded(font_.Height(), m, d));
    for (TControl* c : std::vector<TControl*>(controls_)) c->ChangeScale(m, d);
  }
  SetClientSize(ScaleRounded(clientWidth, m, d), ScaleRounded(clientHeight, m, d));
  RefreshHints();
  Invalidate();
}

void TForm::FocusChanged(TWinControl* control) {
  if (control == this) return;
  TWinControl* previous = activeControl_;
  activeControl_ = control;
  if (previous && previous != control) previous->Perform(CM_EXIT);
  if (previous != control) control->Perform(CM_ENTER);
  Broadcast(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

void TForm::ControlRemoved(TControl* control) {
  if (activeControl_ == control) activeControl_ = nullptr;
}

namespace {
TPageControl* FindPageFor(TWinControl& container, char c) {
  for (TControl* child : container.Controls()) {
    if (auto* pages = dynamic_cast<TPageControl*>(child)) {
      if (pages->Showing() && pages->AcceleratorPage(c)) return pages;
    }
    if (auto* windowed = dynamic_cast<TWinControl*>(child)) {
      if (TPageControl* found = FindPageFor(*windowed, c)) return found;
    }
  }
  return nullptr;
}
}  // namespace

namespace {
void CollectTabStops(TWinControl& container, std::vector<TWinControl*>* out) {
  for (TWinControl* child : container.TabList()) {
    if (!child->HandleAllocated() || !child->CanFocus()) continue;
    // Of a group of radio buttons only the selected one is a stop.
    auto* radio = dynamic_cast<TRadioButton*>(child);
    if (radio ? radio->Checked() : child->TabStop()) out->push_back(child);
    CollectTabStops(*child, out);
  }
}
}  // namespace

void TForm::SelectNext(bool backward) {
  std::vector<TWinControl*> stops;
  CollectTabStops(*this, &stops);
  if (stops.empty()) return;
  TWinControl* focused = TWinControl::FromHandle(GetFocus());
  // A focused window inside a control (a combo box's edit) counts as it.
  for (HWND w = GetFocus(); !focused && w; w = GetParent(w)) focused = TWinControl::FromHandle(w);
  auto it = std::find(stops.begin(), stops.end(), focused);
  std::size_t index;
  if (it == stops.end())
    index = backward ? stops.size() - 1 : 0;
  else if (backward)
    index = (it - stops.begin() + stops.size() - 1) % stops.size();
  else
    index = (it - stops.begin() + 1) % stops.size();
  stops[index]->SetFocus();
}

namespace {

// The showing, enabled button, check box, radio button or speed button
// whose caption marks c as its accelerator.
TControl* FindAccelerated(TWinControl& container, char c) {
  for (TControl* child : container.Controls()) {
    if (!child->Showing() || !child->Enabled()) continue;
    const bool button = dynamic_cast<TButton*>(child) || dynamic_cast<TButtonControl*>(child) ||
                        dynamic_cast<TSpeedButton*>(child);
    if (button && AcceleratorOf(child->Caption()) == c) return child;
    if (auto* windowed = dynamic_cast<TWinControl*>(child))
      if (TControl* found = FindAccelerated(*windowed, c)) return found;
  }
  return nullptr;
}

// The page control Ctrl+Tab turns: the one around the focus, else the
// form's first showing one.
TPageControl* PagesForKeys(TForm& form) {
  for (HWND w = GetFocus(); w && IsChild(form.Handle(), w); w = GetParent(w))
    if (auto* pages = dynamic_cast<TPageControl*>(TWinControl::FromHandle(w))) return pages;
  std::vector<TWinControl*> all = form.TabOrderList();
  for (TWinControl* control : all)
    if (auto* pages = dynamic_cast<TPageControl*>(control))
      if (pages->Showing()) return pages;
  return nullptr;
}

// Arrow keys in a group of radio buttons (those sharing a parent): the
// previous or next one, round, focused and selected, as in a dialog.
bool MoveInRadioGroup(bool forward) {
  auto* radio = dynamic_cast<TRadioButton*>(TWinControl::FromHandle(GetFocus()));
  if (!radio || !radio->Parent()) return false;
  std::vector<TRadioButton*> group;
  for (TWinControl* sibling : radio->Parent()->TabList())
    if (auto* other = dynamic_cast<TRadioButton*>(sibling))
      if (other->HandleAllocated() && other->CanFocus()) group.push_back(other);
  auto it = std::find(group.begin(), group.end(), radio);
  if (it == group.end() || group.size() < 2) return false;
  const std::size_t at = static_cast<std::size_t>(it - group.begin());
  TRadioButton* next =
      group[forward ? (at + 1) % group.size() : (at + group.size() - 1) % group.size()];
  next->SetFocus();
  SendMessageA(next->Handle(), BM_CLICK, 0, 0);
  return true;
}

}  // namespace

bool TForm::DialogChar(char c) {
  if (TPageControl* pages = FindPageFor(*this, c)) {
    pages->SetActivePage(pages->AcceleratorPage(c));
    return true;
  }
  // A button's accelerator presses it, as a click would; a check box's
  // toggles it. The focus goes to it first, as in a dialog.
  TControl* target = FindAccelerated(*this, LowerChar(c));
  if (!target) return false;
  if (auto* windowed = dynamic_cast<TWinControl*>(target)) {
    windowed->SetFocus();
    SendMessageA(windowed->Handle(), BM_CLICK, 0, 0);
  } else {
    target->Click();
  }
  return true;
}

bool TForm::TurnPage(bool forward) {
  TPageControl* pages = PagesForKeys(*this);
  if (!pages || pages->VisibleTabs().size() < 2) return false;
  // The focus on the page going away moves to the tabs, where Tab enters the
  // new page from.
  const HWND focus = GetFocus();
  const bool focusOnPages = focus && pages->HandleAllocated() &&
                            (focus == pages->Handle() || IsChild(pages->Handle(), focus));
  pages->SelectNextPage(forward);
  if (focusOnPages && pages->CanFocus()) pages->SetFocus();
  return true;
}

void TForm::WndProc(TMessage& message) {
  if (DispatchMenuMessage(message.Msg, message.WParam, message.LParam, &message.Result)) return;
  switch (message.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case kReleaseMessage:
      delete this;
      return;
    case WM_SHOWWINDOW:
      if (message.WParam) {
        MakeChildWindows();
        // Focus and accelerator cues as the system's settings and the last
        // input have them: hidden after the mouse until the keyboard is used.
        if (!(GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD))
          PostMessageA(handle_, WM_CHANGEUISTATE,
                       MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(message.WParam) != WA_INACTIVE && activeControl_ &&
          activeControl_->HandleAllocated()) {
        DefaultHandler(message);
        activeControl_->SetFocus();
        return;
      }
      break;
    case CM_DIALOGKEY: {
      const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
      // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+Page Down and Ctrl+Page Up turn pages.
      if (ctrl &&
          (message.WParam == VK_TAB || message.WParam == VK_NEXT || message.WParam == VK_PRIOR)) {
        const bool forward = message.WParam == VK_TAB ? !shift : message.WParam == VK_NEXT;
        message.Result = TurnPage(forward) ? 1 : 0;
        return;
      }
      if (message.WParam == VK_TAB) {
        SelectNext(shift);
        message.Result = 1;
        return;
      }
      if (message.WParam == VK_LEFT || message.WParam == VK_UP || message.WParam == VK_RIGHT ||
          message.WParam == VK_DOWN) {
        message.Result =
            MoveInRadioGroup(message.WParam == VK_RIGHT || message.WParam == VK_DOWN) ? 1 : 0;
        return;
      }
      // Enter presses the default button, Escape the cancel button.
      if (message.WParam == VK_RETURN || message.WParam == VK_ESCAPE) {
        std::string property = message.WParam == VK_RETURN ? "Default" : "Cancel";
        for (TComponent* c : Components()) {
          auto* control = dynamic_cast<TControl*>(c);
          if (control && control->HasProperty(property) &&
              control->GetPropText(property) == "True" && control->Showing() &&
              control->Enabled()) {
            control->Click();
            message.Result = 1;
            return;
          }
        }
        // A dialog without a Cancel button closes on Escape all the same.
        if (message.WParam == VK_ESCAPE && modal_) {
          Close();
          message.Result = 1;
        }
      }
      return;
    }
    default:
      break;
  }
  TWinControl::WndProc(message);
}

}  // namespace velotune
