// Windowed controls: one window each, created when first needed, every
// message through WindowProc, children's notifications reflected to them.
#include <algorithm>
#include <optional>
#include <unordered_map>

#include "framework/application.h"
#include "framework/control.h"
#include "framework/dib.h"
#include "framework/form.h"
#include "framework/menus.h"
#include "framework/property_helpers.h"
#include "framework/shown_region.h"

namespace velotune {

namespace {

// The framework's windows by handle. Every message a window gets looks its
// control up, so the table lives in the process: a window property would
// cost the window system a round trip each time.
std::unordered_map<HWND, TWinControl*>& ControlsByHandle() {
  static std::unordered_map<HWND, TWinControl*> controls;
  return controls;
}

// The framework window that has the focus: set as one gets WM_SETFOCUS,
// cleared as it gets WM_KILLFOCUS or goes, before its handling of either, so
// that the handling sees what GetFocus would answer.
HWND focusedWindow = nullptr;

void FollowFocus(HWND window, UINT msg) {
  if (msg == WM_SETFOCUS)
    focusedWindow = window;
  else if ((msg == WM_KILLFOCUS || msg == WM_NCDESTROY) && focusedWindow == window)
    focusedWindow = nullptr;
}

void Forget(HWND window, const TWinControl* control) {
  // A window destroyed with its own procedure given back hears no more
  // focus messages.
  if (focusedWindow == window) focusedWindow = nullptr;
  auto& controls = ControlsByHandle();
  auto it = controls.find(window);
  if (it != controls.end() && it->second == control) controls.erase(it);
}

ControlWindowsBatchHandler batchHandler = nullptr;
LateControlWindowsHandler lateHandler = nullptr;

// Control windows made in one go. The batch handler hears of the outermost
// batch only; the windows made late (held back until their page showed, or
// asked for on their own) are told, once that batch ends, to their forms for
// their hints and to the late handler.
class WindowBatch {
 public:
  enum Kind { kNone, kInOneGo, kLate };
  explicit WindowBatch(Kind kind) : closed_(kind == kNone) {
    if (closed_) return;
    if (depth_++ == 0 && batchHandler) batchHandler(true);
    if (kind == kLate && !collecting_) {
      collecting_ = this;
      made_.clear();
    }
  }
  ~WindowBatch() { Close(); }
  WindowBatch(const WindowBatch&) = delete;
  WindowBatch& operator=(const WindowBatch&) = delete;
  // A window made while the batch is open.
  static void Made(TWinControl* control) {
    if (collecting_) made_.push_back(control);
  }
  // The batch is done: the handlers hear of it. (Unwinding from a failure
  // closes it without telling of the windows made.)
  void End() {
    const bool tell = collecting_ == this;
    Close();
    if (!tell || made_.empty()) return;
    const std::vector<TWinControl*> made = std::move(made_);
    made_.clear();
    for (TWinControl* control : made)
      if (TForm* form = control->ParentForm()) form->RegisterHint(*control);
    if (lateHandler) lateHandler(made);
  }

 private:
  void Close() {
    if (closed_) return;
    closed_ = true;
    if (collecting_ == this) collecting_ = nullptr;
    if (--depth_ == 0 && batchHandler) batchHandler(false);
  }
  bool closed_;
  static int depth_;
  static WindowBatch* collecting_;
  static std::vector<TWinControl*> made_;
};
int WindowBatch::depth_ = 0;
WindowBatch* WindowBatch::collecting_ = nullptr;
std::vector<TWinControl*> WindowBatch::made_;

HCURSOR SystemCursor(int id) {
  switch (id) {
    case crHandPoint:
      return LoadCursor(nullptr, IDC_HAND);
    case crIBeam:
      return LoadCursor(nullptr, IDC_IBEAM);
    default:
      return LoadCursor(nullptr, IDC_ARROW);
  }
}

}  // namespace

namespace {
const PropertyDef kWinControlProperties[] = {
    {"TabOrder",
     [](const TComponent& c) { return IntText(static_cast<const TWinControl&>(c).TabOrder()); },
     [](TComponent& c, const std::string& v) {
       static_cast<TWinControl&>(c).SetTabOrder(IntProp("TabOrder", v));
     }},
    {"TabStop",
     [](const TComponent& c) { return BoolText(static_cast<const TWinControl&>(c).TabStop()); },
     [](TComponent& c, const std::string& v) {
       static_cast<TWinControl&>(c).SetTabStop(BoolProp("TabStop", v));
     }},
    {"ParentBackground",
     [](const TComponent& c) {
       return BoolText(static_cast<const TWinControl&>(c).ParentBackground());
     },
     [](TComponent& c, const std::string& v) {
       static_cast<TWinControl&>(c).SetParentBackground(BoolProp("ParentBackground", v));
     }},
};
}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  // Children go first so that none outlives the window it lives in.
  while (!controls_.empty()) {
    TControl* child = controls_.back();
    child->parent_ = nullptr;
    controls_.pop_back();
  }
  DestroyHandle();
}

const PropertyDef* TWinControl::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kWinControlProperties, name)) return p;
  return TControl::FindProperty(name);
}

TWinControl* TWinControl::FromHandle(HWND window) {
  if (!window) return nullptr;
  const auto& controls = ControlsByHandle();
  auto it = controls.find(window);
  return it == controls.end() ? nullptr : it->second;
}

HWND TWinControl::FocusedWindow() {
  return focusedWindow;
}

HWND TWinControl::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.windowClass = ClassName();
  params.style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (visible_ && !madeHidden_) params.style |= WS_VISIBLE;
  if (!enabled_) params.style |= WS_DISABLED;
  if (tabStop_) params.style |= WS_TABSTOP;
  params.exStyle = WS_EX_CONTROLPARENT;
  params.x = left_;
  params.y = top_;
  params.width = width_;
  params.height = height_;
}

void TWinControl::CreateHandle() {
  // Asked for while it waits: made on its own, and told as made late.
  const bool onItsOwn = WindowWaits();
  WindowBatch batch(onItsOwn ? WindowBatch::kLate : WindowBatch::kNone);
  TCreateParams params;
  CreateParams(params);
  if (!params.parentWindow && (params.style & WS_CHILD)) {
    if (!parent_) throw Exception(std::string("Control '") + Name() + "' has no parent window");
    params.parentWindow = parent_->Handle();
  }
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!params.systemClass) {
    WNDCLASSEXA wc = {};
    if (!GetClassInfoExA(instance, params.windowClass.c_str(), &wc)) {
      wc.cbSize = sizeof(wc);
      wc.style = CS_DBLCLKS;
      wc.lpfnWndProc = StaticWndProc;
      wc.hInstance = instance;
      wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
      wc.lpszClassName = params.windowClass.c_str();
      if (!RegisterClassExA(&wc)) RaiseLastOSError();
    }
  }
  HWND window =
      CreateWindowExA(params.exStyle, params.windowClass.c_str(), caption_.c_str(), params.style,
                      params.x, params.y, params.width, params.height, params.parentWindow, nullptr,
                      instance, params.systemClass ? nullptr : this);
  if (!window) RaiseLastOSError();
  if (params.systemClass) {
    handle_ = window;
    ControlsByHandle()[window] = this;
    defaultProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticWndProc)));
  }
  WindowBatch::Made(this);
  if (onItsOwn) PlaceAmongSiblings();
  CreateWnd();
  batch.End();
}

void TWinControl::PlaceAmongSiblings() {
  if (!parent_ || !(GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD)) return;
  // Under the next sibling that has a window, or over them all.
  HWND above = HWND_TOP;
  const std::vector<TControl*>& siblings = parent_->controls_;
  auto at = std::find(siblings.begin(), siblings.end(), this);
  for (auto it = at == siblings.end() ? at : at + 1; it != siblings.end(); ++it) {
    auto* windowed = dynamic_cast<TWinControl*>(*it);
    if (windowed && windowed->handle_) {
      above = windowed->handle_;
      break;
    }
  }
  SetWindowPos(handle_, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::CreateWnd() {
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
  CreateChildWindows();
  AlignControls();
}

void SetControlWindowsBatchHandler(ControlWindowsBatchHandler handler) {
  batchHandler = handler;
}

void SetLateControlWindowsHandler(LateControlWindowsHandler handler) {
  lateHandler = handler;
}

void TWinControl::CreateChildWindowsInOneGo() {
  WindowBatch batch(WindowBatch::kInOneGo);
  CreateChildWindows();
  batch.End();
}

bool TWinControl::LeafWindowsWait() const {
  const TControl* root = this;
  while (root->parent_) root = root->parent_;
  auto* windowed = dynamic_cast<const TWinControl*>(root);
  return windowed && windowed->leafWindowsWait_;
}

bool TWinControl::WindowWaits() const {
  if (handle_) return false;
  if (controls_.empty() && LeafWindowsWait()) return true;
  for (const TControl* c = this; c->parent_; c = c->parent_)
    if (!c->visible_) return true;
  return false;
}

bool TWinControl::HasDueWindows() const {
  for (TControl* child : controls_) {
    auto* windowed = dynamic_cast<TWinControl*>(child);
    if (!windowed) continue;
    if (windowed->handle_ ? windowed->HasDueWindows() : !windowed->WindowWaits()) return true;
  }
  return false;
}

void TWinControl::CreateChildWindows() {
  // Children stack in description order, a later one over an earlier one;
  // the Tab key follows TabOrder instead (the form moves the focus itself).
  // A new window goes under its siblings, so they are made from the last to
  // the first; where new ones join, one that has its window already goes
  // under those made so far. Containers with nothing new below are passed.
  bool joining = false;
  for (TControl* child : controls_) {
    auto* windowed = dynamic_cast<TWinControl*>(child);
    if (windowed && !windowed->handle_ && !windowed->WindowWaits()) {
      joining = true;
      break;
    }
  }
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    auto* windowed = dynamic_cast<TWinControl*>(*it);
    if (!windowed) continue;
    if (windowed->handle_) {
      if (joining)
        SetWindowPos(windowed->handle_, HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      if (windowed->HasDueWindows()) windowed->CreateChildWindows();
    } else if (!windowed->WindowWaits()) {
      windowed->HandleNeeded();
    }
  }
}

void TWinControl::MakeDueWindows() {
  if (!handle_ || !HasDueWindows()) return;
  WindowBatch batch(WindowBatch::kLate);
  CreateChildWindows();
  AlignControls();
  batch.End();
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  DestroyWnd();
  HWND window = handle_;
  DestroyWindow(window);
  // Gone with the window, unless something kept its last message from us.
  Forget(window, this);
  handle_ = nullptr;
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = FromHandle(window);
  if (!control && msg == WM_NCCREATE) {
    control = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (control) {
      control->handle_ = window;
      ControlsByHandle()[window] = control;
    }
  }
  if (!control) return DefWindowProcA(window, msg, wParam, lParam);
  FollowFocus(window, msg);
  TMessage message{msg, wParam, lParam, 0};
  try {
    control->WindowProc(message);
  } catch (const std::exception& e) {
    Application().HandleException(e);
  }
  if (msg == WM_NCDESTROY) {
    Forget(window, control);
    if (control->handle_ == window) control->handle_ = nullptr;
  }
  return message.Result;
}

void TWinControl::DefaultHandler(TMessage& message) {
  if (!handle_) return;
  if (defaultProc_)
    message.Result =
        CallWindowProcA(defaultProc_, handle_, message.Msg, message.WParam, message.LParam);
  else
    message.Result = DefWindowProcA(handle_, message.Msg, message.WParam, message.LParam);
}

bool TWinControl::Reflect(TMessage& message) {
  HWND child = nullptr;
  switch (message.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      child = reinterpret_cast<HWND>(message.LParam);
      break;
    case WM_NOTIFY:
      child = reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom;
      break;
    case WM_DRAWITEM:
      child = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam)->hwndItem;
      break;
    default:
      return false;
  }
  TWinControl* target = FromHandle(child);
  if (!target || target == this) return false;
  message.Result = target->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
  return true;
}

LRESULT TWinControl::CtlColor(HDC dc) {
  SetTextColor(dc, ColorToRGB(font_.Color()));
  SetBkColor(dc, ColorToRGB(color_));
  return reinterpret_cast<LRESULT>(ColorBrush(color_));
}

bool TWinControl::RouteMouse(TMessage& message) {
  POINT p{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
  TControl* target = captureControl_;
  if (!target) target = ControlAtPos(p);
  if (message.Msg == WM_MOUSEMOVE && target != hoverControl_) {
    if (hoverControl_) hoverControl_->Perform(CM_MOUSELEAVE);
    hoverControl_ = target;
    if (target) target->Perform(CM_MOUSEENTER);
  }
  if (!target) return false;
  if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_RBUTTONDOWN ||
      message.Msg == WM_MBUTTONDOWN) {
    captureControl_ = target;
    SetCapture(handle_);
  } else if (message.Msg == WM_LBUTTONUP || message.Msg == WM_RBUTTONUP ||
             message.Msg == WM_MBUTTONUP) {
    captureControl_ = nullptr;
    if (GetCapture() == handle_) ReleaseCapture();
  }
  if (!target->Enabled()) return true;
  LPARAM local = MAKELPARAM(p.x - target->Left(), p.y - target->Top());
  target->Perform(message.Msg, message.WParam, local);
  return true;
}

bool TWinControl::ContextPopup(const TMessage& message) {
  POINT at{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
  TControl* target = this;
  if (at.x == -1 && at.y == -1) {
    // From the keyboard: at the control's top-left corner.
    at = POINT{0, 0};
    ClientToScreen(handle_, &at);
  } else {
    POINT client = at;
    ScreenToClient(handle_, &client);
    TControl* child = defaultProc_ ? nullptr : ControlAtPos(client);
    if (child && child->PopupMenu()) target = child;
  }
  TPopupMenu* menu = target->PopupMenu();
  if (!menu || !menu->AutoPopup() || !target->Enabled()) return false;
  menu->SetPopupComponent(target);
  menu->Popup(at.x, at.y);
  return true;
}

void TWinControl::TrackMouse() {
  if (mouseInside_) return;
  mouseInside_ = true;
  TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, handle_, 0};
  TrackMouseEvent(&track);
  Perform(CM_MOUSEENTER);
}

void TWinControl::WndProc(TMessage& message) {
  if (Reflect(message)) return;
  switch (message.Msg) {
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
      message.Result = CtlColor(reinterpret_cast<HDC>(message.WParam));
      return;
    case WM_ERASEBKGND:
      if (!defaultProc_) {
        message.Result = 1;
        return;
      }
      break;
    case WM_PAINT:
      if (!defaultProc_) {
        PAINTSTRUCT ps;
        HDC dc = message.WParam ? reinterpret_cast<HDC>(message.WParam) : BeginPaint(handle_, &ps);
        // Its own paint is composed only where the screen shows it: a page
        // its panel covers has nothing to compose. (A window without
        // children to leave out would gain nothing.)
        std::optional<ShownRegion> shown;
        if (!message.WParam && (GetWindowLongA(handle_, GWL_STYLE) & WS_CLIPCHILDREN))
          shown.emplace(dc, handle_);
        if (!shown || !shown->Empty()) {
          RECT client;
          GetClientRect(handle_, &client);
          // Drawn off screen first so that children drawn over the background
          // do not flicker.
          HDC memory = CreateCompatibleDC(dc);
          BITMAPINFO info =
              DibInfo32(std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
          void* bits = nullptr;
          HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
          HGDIOBJ old = SelectObject(memory, bitmap);
          if (shown) shown->ClipTo(memory);
          PaintWindow(memory);
          BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
          SelectObject(memory, old);
          DeleteObject(bitmap);
          DeleteDC(memory);
        }
        if (!message.WParam) EndPaint(handle_, &ps);
        return;
      }
      break;
    case WM_SETCURSOR:
      if (LOWORD(message.LParam) == HTCLIENT && reinterpret_cast<HWND>(message.WParam) == handle_) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(handle_, &p);
        TControl* under = defaultProc_ ? nullptr : ControlAtPos(p);
        int cursor = under ? under->Cursor() : cursor_;
        if (cursor != crDefault) {
          ::SetCursor(SystemCursor(cursor));
          message.Result = TRUE;
          return;
        }
      }
      break;
    case WM_MOUSEMOVE:
      TrackMouse();
      [[fallthrough]];
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_LBUTTONDBLCLK:
      if (!defaultProc_ && RouteMouse(message)) return;
      TControl::WndProc(message);
      break;
    case WM_MOUSELEAVE:
      mouseInside_ = false;
      if (hoverControl_) {
        hoverControl_->Perform(CM_MOUSELEAVE);
        hoverControl_ = nullptr;
      }
      Perform(CM_MOUSELEAVE);
      break;
    case WM_SETFOCUS:
      if (TForm* form = ParentForm()) form->FocusChanged(this);
      break;
    case WM_CONTEXTMENU:
      // Unanswered, the system passes it on to the parent window.
      if (ContextPopup(message)) return;
      break;
    case WM_SIZE:
      if (!defaultProc_ || !controls_.empty()) {
        RECT r;
        GetWindowRect(handle_, &r);
        width_ = r.right - r.left;
        height_ = r.bottom - r.top;
        AlignControls();
      }
      break;
    default:
      break;
  }
  DefaultHandler(message);
}

void TWinControl::PaintBackground(HDC dc, const RECT& rect) {
  FillRect(dc, &rect, ColorBrush(color_));
}

void TWinControl::PaintWindow(HDC dc) {
  RECT client;
  GetClientRect(handle_, &client);
  PaintBackground(dc, client);
  PaintControls(dc);
}

void TWinControl::PaintControls(HDC dc) {
  for (TControl* c : controls_) {
    if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
    int saved = SaveDC(dc);
    IntersectClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
    RestoreDC(dc, saved);
  }
}

std::vector<TWinControl*> TWinControl::TabList() const {
  std::vector<TWinControl*> list;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) list.push_back(w);
  std::stable_sort(list.begin(), list.end(), [](TWinControl* a, TWinControl* b) {
    unsigned ka = static_cast<unsigned>(a->tabOrder_), kb = static_cast<unsigned>(b->tabOrder_);
    return ka < kb;
  });
  return list;
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    if (w->tabOrder_ < 0) w->tabOrder_ = static_cast<int>(TabList().size()) - 1;
    if (handle_ && !w->WindowWaits()) w->HandleNeeded();
  } else {
    control->Invalidate();
  }
}

void TWinControl::RemoveControl(TControl* control) {
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it != controls_.end()) controls_.erase(it);
  if (captureControl_ == control) captureControl_ = nullptr;
  if (hoverControl_ == control) hoverControl_ = nullptr;
  if (TForm* form = ParentForm()) form->ControlRemoved(control);
}

TControl* TWinControl::ControlAtPos(POINT p) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
    RECT r = c->BoundsRect();
    if (PtInRect(&r, p)) return c;
  }
  return nullptr;
}

void TWinControl::Broadcast(UINT msg, WPARAM wParam, LPARAM lParam) {
  for (TControl* c : std::vector<TControl*>(controls_)) {
    c->Perform(msg, wParam, lParam);
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->Broadcast(msg, wParam, lParam);
  }
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  TControl::SetBounds(left, top, width, height);
}

void TWinControl::BoundsChanged() {
  if (handle_) {
    // What the move exposes is erased when it is painted, not now: the
    // system would otherwise erase every window of a visible page at once,
    // and again when it paints them.
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_DEFERERASE;
    if (!IsWindowVisible(handle_)) flags |= SWP_NOREDRAW | SWP_NOCOPYBITS;
    SetWindowPos(handle_, nullptr, left_, top_, width_, height_, flags);
  }
  AlignControls();
}

int TWinControl::ClientWidth() const {
  if (!handle_) return width_;
  RECT r;
  GetClientRect(handle_, &r);
  return r.right;
}

int TWinControl::ClientHeight() const {
  if (!handle_) return height_;
  RECT r;
  GetClientRect(handle_, &r);
  return r.bottom;
}

RECT TWinControl::DisplayRect() const {
  return RECT{0, 0, ClientWidth(), ClientHeight()};
}

void TWinControl::AlignControls() {
  // Without its window a container lays its children out in its bounds, so
  // that a page whose windows wait has the layout it will show with.
  RECT r = DisplayRect();
  static const TAlign kOrder[] = {alTop, alBottom, alLeft, alRight, alClient};
  for (TAlign align : kOrder) {
    for (TControl* c : controls_) {
      if (c->align_ != align || !c->visible_) continue;
      int l = r.left, t = r.top, w = r.right - r.left, h = r.bottom - r.top;
      switch (align) {
        case alTop:
          h = c->height_;
          r.top += h;
          break;
        case alBottom:
          h = c->height_;
          t = r.bottom - h;
          r.bottom -= h;
          break;
        case alLeft:
          w = c->width_;
          r.left += w;
          break;
        case alRight:
          w = c->width_;
          l = r.right - w;
          r.right -= w;
          break;
        default:
          break;
      }
      TAlign saved = c->align_;
      c->align_ = alNone;  // no re-entry from SetBounds
      c->SetBounds(l, t, w, h);
      c->align_ = saved;
    }
  }
}

void TWinControl::Invalidate() {
  // The system ignores it for a window not on screen (hidden, or its
  // painting suspended), but only after a round trip to find that out.
  if (handle_ && IsWindowVisible(handle_)) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::SetFocus() {
  if (handle_) ::SetFocus(handle_);
}

bool TWinControl::Focused() const {
  return handle_ && GetFocus() == handle_;
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void TWinControl::SetTabOrder(int order) {
  tabOrder_ = order;
}

void TWinControl::SetTabStop(bool stop) {
  tabStop_ = stop;
  if (handle_) {
    LONG style = GetWindowLongA(handle_, GWL_STYLE);
    SetWindowLongA(handle_, GWL_STYLE, stop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
  }
  Perform(CM_TABSTOPCHANGED);
}

void TWinControl::SetParentBackground(bool value) {
  parentBackground_ = value;
  Invalidate();
}

void TWinControl::VisibleChanged() {
  // Shown: the windows that waited for it are made first, while it is still
  // hidden, so that it shows once, complete; one that waited itself is made
  // hidden by its container, then shown.
  if (visible_ && !handle_ && parent_) {
    madeHidden_ = true;
    struct Reset {
      bool& flag;
      ~Reset() { flag = false; }
    } reset{madeHidden_};
    parent_->MakeDueWindows();
  } else if (visible_) {
    MakeDueWindows();
  }
  if (handle_) ShowWindow(handle_, visible_ ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::EnabledChanged() {
  if (handle_) EnableWindow(handle_, enabled_);
  Invalidate();
}

void TWinControl::TextChanged() {
  if (handle_) SetWindowTextA(handle_, caption_.c_str());
}

void TWinControl::FontChanged() {
  if (handle_) {
    // A window not on screen has nothing to redraw.
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()),
                 IsWindowVisible(handle_));
    Invalidate();
  }
  for (TControl* c : controls_) {
    c->ParentFontChanged();
    c->Perform(CM_PARENTFONTCHANGED);
  }
}

void TWinControl::ColorChanged() {
  Invalidate();
  for (TControl* c : controls_) {
    c->ParentColorChanged();
    c->Perform(CM_PARENTCOLORCHANGED);
  }
}

void TWinControl::ChangeScale(int m, int d) {
  for (TControl* c : std::vector<TControl*>(controls_)) c->ChangeScale(m, d);
  TControl::ChangeScale(m, d);
}

}  // namespace velotune
