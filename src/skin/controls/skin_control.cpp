#include "skin/controls/skin_control.h"

#include "framework/font.h"
#include "framework/form.h"
#include "framework/shown_region.h"
#include "framework/window_text.h"
#include "skin/data/colour.h"
#include "skin/frame/skin_messages.h"
#include "skin/frame/win_skin_form.h"
#include "skin/paint/gdi_objects.h"

namespace velotune::skin {

// A framework control's WindowProc while wrapped: the wrapper's routine, or,
// once the wrapper is gone but the functor is still deeper in the chain, the
// method it replaced.
struct TSkinControl::Link {
  TSkinControl* owner;
  TWndMethod previous;
};

struct TSkinControl::ProcFunctor {
  std::shared_ptr<Link> link;
  void operator()(TMessage& message) const {
    const std::shared_ptr<Link> keep = link;
    if (keep->owner)
      keep->owner->Message(message);
    else
      keep->previous(message);
  }
};

TSkinControl::TSkinControl(TComponent* owner) : TComponent(owner) {
  control_ = dynamic_cast<TControl*>(owner);
}

TSkinControl::~TSkinControl() {
  // A control being destroyed takes its WindowProc with it.
  const bool ownerGoing = control_ && (control_->ComponentState() & csDestroying);
  if (!ownerGoing && state_ != wsWindowGone) Restore();
  if (!ownerGoing) GiveBack();
  if (link_) link_->owner = nullptr;
  subclass_.Remove();
  if (form_) form_->UnregisterControl(this);
}

void TSkinControl::GiveBack() {
  if (!link_ || !control_) return;
  auto* mine = control_->WindowProc.target<ProcFunctor>();
  if (mine && mine->link == link_) control_->WindowProc = link_->previous;
  link_->owner = nullptr;
}

bool TSkinControl::ReadProperty(const char* name, std::string* value) const {
  if (!control_ || !control_->HasProperty(name)) return false;
  try {
    *value = control_->GetPropText(name);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

HWND TSkinControl::CurrentFocus() {
  const HWND known = TWinControl::FocusedWindow();
  return known ? known : GetFocus();
}

bool TSkinControl::FocusCueWanted() const {
  // A window of the control's own (a combo box's edit) counts; a control
  // on it (a page's check box) does not.
  const HWND focus = CurrentFocus();
  const bool own = focus && GetParent(focus) == handle_ && !TWinControl::FromHandle(focus);
  if (!handle_ || !focus || (focus != handle_ && !own)) return false;
  const LRESULT state = SendMessageA(handle_, WM_QUERYUISTATE, 0, 0);
  return (state & UISF_HIDEFOCUS) == 0;
}

void TSkinControl::DrawFocusCue(HDC dc, const RECT& rect) const {
  RECT ring = rect;
  const int thickness = Scale().Px(1);
  for (int i = 0; i < thickness && ring.right > ring.left && ring.bottom > ring.top; ++i) {
    DrawFocusRect(dc, &ring);
    InflateRect(&ring, -1, -1);
  }
}

COLORREF TSkinControl::WindowBackColour() const {
  return control_ ? ColorToRGB(control_->Color()) : GetSysColor(COLOR_WINDOW);
}

void TSkinControl::AttachControl(TWinSkinForm& form, TSkinData& data, bool fillBackground,
                                 HDC canvas) {
  if (attached_ || !control_) return;
  form_ = &form;
  data_ = &data;
  fillBackground_ = fillBackground;
  canvas_ = canvas;
  if (auto* windowed = dynamic_cast<TWinControl*>(control_)) {
    handle_ = windowed->Handle();
    unicode_ = IsWindowUnicode(handle_) != FALSE;
  }
  link_ = std::make_shared<Link>(Link{this, control_->WindowProc});
  control_->WindowProc = ProcFunctor{link_};
  form.RegisterControl(this);
  if (fillBackground) {
    std::string parentBackground;
    if (!InSet(data.Options, xoParentBackGround) &&
        ReadProperty("ParentBackground", &parentBackground) && parentBackground == "True") {
      control_->SetPropText("ParentBackground", "False");
      parentBackgroundSwitched_ = true;
    }
    savedColour_ = control_->Color();
    savedParentColour_ = control_->ParentColor();
    control_->SetColor(static_cast<::velotune::TColor>(data.FaceColour()));
    if (parentBackgroundSwitched_) mode_ = wmSkinned;
  }
  // Painted with the next paint cycle, all wrapped controls of a form at once
  // (a window not on screen, as while its form wraps them all, when it shows).
  if (!handle_)
    control_->Invalidate();
  else if (IsWindowVisible(handle_))
    InvalidateRect(handle_, nullptr, TRUE);
  attached_ = true;
  state_ = wsAttached;
  Attached();
}

LRESULT TSkinControl::Route(void* owner, HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  static_cast<TSkinControl*>(owner)->Message(message);
  return message.Result;
}

bool TSkinControl::AttachWindow(HWND window, TSkinData& data, TWinSkinForm& form, HDC canvas) {
  if (attached_) return true;
  if (!subclass_.Install(window, this, &TSkinControl::Route)) return false;
  handle_ = window;
  data_ = &data;
  form_ = &form;
  canvas_ = canvas;
  mode_ = wmSystemLook;
  form.RegisterControl(this);
  unicode_ = IsWindowUnicode(window) != FALSE;
  text_ = WindowText(window);
  InvalidateRect(window, nullptr, TRUE);
  attached_ = true;
  state_ = wsAttached;
  Attached();
  return true;
}

void TSkinControl::CallPrevious(TMessage& message) {
  if (link_) {
    link_->previous(message);
  } else {
    message.Result = subclass_.CallOld(handle_, message.Msg, message.WParam, message.LParam);
  }
}

void TSkinControl::Message(TMessage& message) {
  if (message.Msg == SKM_SKINCONTROL) {
    active_ = message.WParam > 0;
    if (active_) Repaint();
    return;
  }
  if (!active_) {
    CallPrevious(message);
    if (message.Msg == WM_NCDESTROY) {
      state_ = wsWindowGone;
      subclass_.Remove();
    }
    return;
  }
  if (BeforeMessage(message)) {
    CallPrevious(message);
    AfterMessage(message);
  }
}

bool TSkinControl::BeforeMessage(TMessage& message) {
  if (message.Msg == WM_NCDESTROY) {
    state_ = wsWindowGone;
    CallPrevious(message);
    // A foreign window's procedure is given back as it goes.
    subclass_.Remove();
    if (active_) Restore();
    return false;
  }
  if (message.Msg == SKM_QUERYSKINNED) {
    message.Result = 1;
    return false;
  }
  return true;
}

void TSkinControl::AfterMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE:
    case kFrameworkEnabledChanged:
      Repaint();
      break;
    case WM_PAINT:
      PaintWindow(reinterpret_cast<HDC>(message.WParam));
      break;
    default:
      break;
  }
}

void TSkinControl::Repaint() {
  if (!handle_ || !IsWindow(handle_)) return;
  InvalidateRect(handle_, nullptr, TRUE);
  UpdateWindow(handle_);
}

RECT TSkinControl::LocalRect() const {
  return RECT{0, 0, screenRect_.right - screenRect_.left, screenRect_.bottom - screenRect_.top};
}

void TSkinControl::PaintWindow(HDC dc) {
  if (!handle_) return;
  GetWindowRect(handle_, &screenRect_);
  try {
    if (dc) {
      Paint(dc, LocalRect());
    } else {
      WindowDC own(handle_, false);
      if (own.Get()) Paint(own.Get(), LocalRect());
    }
  } catch (...) {
    // A failing paint leaves what was drawn so far.
  }
}

void TSkinControl::PaintBackground(HDC dc, const RECT& rect) {
  OwnedBrush face(CreateSolidBrush(ResolveColour(data_->FaceColour())));
  FillRect(dc, &rect, face.Get());
}

void TSkinControl::PaintParentBehind(HDC dc) {
  HWND parent = GetParent(handle_);
  if (!parent) return;
  if (!control_) {
    TSkinControl::PaintBackground(dc, LocalRect());
    return;
  }
  RECT mine;
  GetWindowRect(handle_, &mine);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&mine), 2);
  RECT client;
  GetClientRect(parent, &client);
  const int saved = SaveDC(dc);
  POINT old;
  OffsetViewportOrgEx(dc, -mine.left, -mine.top, &old);
  IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
  SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageA(parent, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
}

void TSkinControl::PaintGraphicChildren(HDC dc) {
  auto* windowed = dynamic_cast<TWinControl*>(control_);
  if (!windowed) return;
  for (TControl* child : std::vector<TControl*>(windowed->Controls())) {
    if (dynamic_cast<TWinControl*>(child) || !child->Visible()) continue;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, child->Left(), child->Top(), child->Left() + child->Width(),
                      child->Top() + child->Height());
    child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
    RestoreDC(dc, saved);
  }
}

bool TSkinControl::TransparentWanted() const {
  return (control_ && control_->Tag() == kTransparentTag) ||
         (data_ && InSet(data_->Options, xoTransparent));
}

const DpiScale& TSkinControl::Scale() const {
  static const DpiScale kUnscaled;
  return form_ ? form_->Scale() : kUnscaled;
}

const SkinArt& TSkinControl::Art() const {
  return data_->ArtFor(Scale().Dpi());
}

COLORREF TSkinControl::SkinColour(int entry) const {
  return ResolveColour(data_->Colour(entry));
}

void TSkinControl::PaintBuffered(HDC dc, const ShownRegion* shown) {
  GetWindowRect(handle_, &screenRect_);
  const RECT rect = LocalRect();
  OffscreenBuffer buffer(dc, rect.right, rect.bottom);
  if (shown) shown->ClipTo(buffer.Dc());
  PaintBackground(buffer.Dc(), rect);
  try {
    Paint(buffer.Dc(), rect);
  } catch (...) {
    // A failing paint leaves what was drawn so far.
  }
  buffer.CopyTo(dc, 0, 0);
}

void TSkinControl::PaintMessage(TMessage& message, bool buffered) {
  PAINTSTRUCT ps;
  HDC dc = message.WParam ? reinterpret_cast<HDC>(message.WParam) : BeginPaint(handle_, &ps);
  if (buffered && !message.WParam && (GetWindowLongA(handle_, GWL_STYLE) & WS_CLIPCHILDREN)) {
    // Composed only where the screen shows it: a container's children and
    // the pane under a page are left out.
    const ShownRegion shown(dc, handle_);
    if (!shown.Empty()) PaintBuffered(dc, &shown);
  } else if (buffered) {
    PaintBuffered(dc);
  } else {
    GetWindowRect(handle_, &screenRect_);
    try {
      Paint(dc, LocalRect());
    } catch (...) {
      // A failing paint leaves what was drawn so far.
    }
  }
  if (!message.WParam) EndPaint(handle_, &ps);
  message.Result = 0;
}

void TSkinControl::Paint(HDC, const RECT&) {}

void TSkinControl::Restore() {
  if (!active_) return;
  active_ = false;
  if (state_ == wsWindowGone || !control_ || !fillBackground_) return;
  if (parentBackgroundSwitched_) control_->SetPropText("ParentBackground", "True");
  parentBackgroundSwitched_ = false;
  control_->SetColor(savedColour_);
  // A colour that followed the parent's follows it again.
  if (savedParentColour_) control_->SetParentColor(true);
}

void TSkinControl::Reapply() {
  if (fillBackground_ && control_ && data_)
    control_->SetColor(static_cast<::velotune::TColor>(data_->FaceColour()));
  Repaint();
}

}  // namespace velotune::skin
