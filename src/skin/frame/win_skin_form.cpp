#include "skin/frame/win_skin_form.h"

#include <algorithm>

#include "framework/application.h"
#include "framework/form.h"
#include "framework/image_list.h"
#include "framework/menus.h"
#include "framework/messages.h"
#include "framework/suspended_painting.h"
#include "skin/data/bitmap_ops.h"
#include "skin/data/colour.h"
#include "skin/frame/caption_hint.h"
#include "skin/frame/frame_helpers.h"
#include "skin/frame/menu_bar.h"
#include "skin/frame/skin_messages.h"
#include "skin/frame/system_menu.h"
#include "skin/paint/win32_paint.h"

namespace velotune::skin {

// The form's WindowProc while skinned: the frame's part, then the method it
// replaced. After Detach a functor left deeper in the chain passes through.
struct TWinSkinForm::FormLink {
  TWinSkinForm* owner;
  TWndMethod previous;
};

struct FormProcFunctor {
  std::shared_ptr<TWinSkinForm::FormLink> link;
  void operator()(TMessage& message) const {
    const std::shared_ptr<TWinSkinForm::FormLink> keep = link;
    if (keep->owner)
      keep->owner->FormWindowProc(message);
    else
      keep->previous(message);
  }
};

namespace {

bool IsClass(const std::string& name, const char* other) {
  return lstrcmpiA(name.c_str(), other) == 0;
}

// An icon drawn at the small-icon size over magenta, as a portable bitmap.
Bitmap IconBitmap(HICON icon) {
  const int size = GetSystemMetrics(SM_CXSMICON);
  Bitmap out(size, size, 24, kMagentaPixel);
  if (!icon) return out;
  OwnedBitmap dib = MakeDib(out);
  HDC memory = CreateCompatibleDC(nullptr);
  if (!dib || !memory) {
    if (memory) DeleteDC(memory);
    return out;
  }
  {
    SelectedObject selected(memory, dib.Get());
    DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    BITMAPINFO info = DibInfo32(size, size);
    std::vector<Pixel> pixels(static_cast<size_t>(size) * size);
    GetDIBits(memory, dib.Get(), 0, size, pixels.data(), &info, DIB_RGB_COLORS);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) out.Set(x, y, pixels[y * size + x] & 0xFFFFFF);
  }
  DeleteDC(memory);
  return out;
}

// The system's caption font, from the non-client metrics.
HFONT CaptionFont() {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return nullptr;
  return CreateFontIndirectA(&metrics.lfCaptionFont);
}

// Stands in for a manager that has gone.
class NullHost : public SkinHost {
 public:
  bool Busy() const override { return false; }
  void MarkSkinning() override {}
  void SystemMenuOpen(bool) override {}
  void SkinChildControls(TWinSkinForm&) override {}
  void ForgetWindow(HWND) override {}
};

SkinHost& NoHost() {
  static NullHost host;
  return host;
}

}  // namespace

namespace {
std::vector<TWinSkinForm*>& LiveSkinForms() {
  static std::vector<TWinSkinForm*> forms;
  return forms;
}
}  // namespace

TWinSkinForm::TWinSkinForm(TComponent* owner, SkinHost& host) : TComponent(owner), host_(&host) {
  LiveSkinForms().push_back(this);
}

void TWinSkinForm::ForgetHost(SkinHost* host) {
  for (TWinSkinForm* form : LiveSkinForms())
    if (form->host_ == host) form->host_ = &NoHost();
}

TWinSkinForm::~TWinSkinForm() {
  if (attached_) {
    // Freed with its form (or by the manager): hooks and controls go back;
    // the window keeps its size, it is going too or will be given back.
    FreeSystemMenu();
    if (window_ && IsWindow(window_)) KillTimer(window_, kFrameTimerId);
    RestoreOwnProcedures();
    ReleaseControls();
    ReleaseMenuBar(!window_ || !IsWindow(window_));
    if (form_ && formColourSaved_) form_->SetColor(formColour_);
  }
  hint_.reset();
  if (scratch_) DeleteDC(scratch_);
  if (window_) host_->ForgetWindow(window_);
  auto& live = LiveSkinForms();
  live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

void TWinSkinForm::SetWindow(HWND window, const std::string& className) {
  window_ = window;
  className_ = className;
}

HDC TWinSkinForm::ScratchDc() {
  if (!scratch_) scratch_ = CreateCompatibleDC(nullptr);
  return scratch_;
}

void TWinSkinForm::Attach(TSkinData& data) {
  if (attached_ || !window_) return;
  host_->MarkSkinning();
  data_ = &data;
  frameSkinning_ = InSet(data.SkinControls, xcMainMenu);
  const LONG style = GetWindowLongA(window_, GWL_STYLE);
  const LONG exStyle = GetWindowLongA(window_, GWL_EXSTYLE);
  rightToLeft_ = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
  childWindow_ = (style & WS_CHILD) != 0;
  messageBox_ = IsClass(className_, "#32770") || IsClass(className_, "TMessageForm");
  const HWND owner = GetWindow(window_, GW_OWNER);

  buttonSet_ = 0;
  if (style & WS_MAXIMIZEBOX) buttonSet_ |= bsMaximizeBox;
  if (style & WS_MINIMIZEBOX) buttonSet_ |= bsMinimizeBox;
  if (exStyle & WS_EX_CONTEXTHELP) buttonSet_ |= bsContextHelp;
  if ((style & WS_SYSMENU) || GetSystemMenu(window_, FALSE)) buttonSet_ |= bsSystemMenu;
  const DWORD version = GetVersion();
  const bool windows2000 = LOBYTE(LOWORD(version)) == 5 && HIBYTE(LOWORD(version)) == 0;
  if (windows2000 && ((!owner && !(exStyle & WS_EX_MDICHILD)) || (exStyle & WS_EX_APPWINDOW)))
    buttonSet_ |= bsKeepSysMenu;
  ReadShowState();
  mdiKind_ = (exStyle & WS_EX_MDICHILD)                              ? 2
             : FindWindowExA(window_, nullptr, "MDIClient", nullptr) ? 1
                                                                     : 0;
  if (mdiKind_ == 2 && InSet(data.Options, xoMDIChildBorder)) frameSkinning_ = false;
  if ((style & WS_CAPTION) != WS_CAPTION)
    borderKind_ = bkNoCaption;
  else if ((style & DS_MODALFRAME) || (exStyle & WS_EX_DLGMODALFRAME) || messageBox_)
    borderKind_ = bkDialog;
  else if (style & WS_THICKFRAME)
    borderKind_ = bkSizeable;
  else
    borderKind_ = bkFixed;

  subclass_.Install(window_, this, &TWinSkinForm::Route);
  attached_ = true;
  captionFont_.Reset(CaptionFont());
  if (frameSkinning_) {
    // With a skinned menu bar M = the system menu-bar height, and the bar is
    // drawn by it in (L, T, w - R, T + M).
    menuBar_ = 0;
    if (GetMenu(window_) && mdiKind_ != 2) MakeMenuBar();
    ComputeFrameSizes();
  } else {
    frameState_ = fsSkinned;
  }
}

void TWinSkinForm::AttachForm(TSkinData& data, TForm& form) {
  form_ = &form;
  if (data.OnBeforeSkinForm)
    data.OnBeforeSkinForm(&form, reinterpret_cast<uintptr_t>(window_), className_);
  if (InSet(data.SkinControls, xcMenuItem) && form.HasProperty("AutoScroll"))
    form.SetPropText("AutoScroll", "False");
  Attach(data);
  if (!attached_) return;
  if (frameSkinning_) {
    formLink_ = std::make_shared<FormLink>(FormLink{this, form.WindowProc});
    form.WindowProc = FormProcFunctor{formLink_};
  }
  formColour_ = form.Color();
  formColourSaved_ = true;
  form.SetColor(static_cast<::velotune::TColor>(data.FaceColour()));
}

void TWinSkinForm::ReadShowState() {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof(placement);
  if (!GetWindowPlacement(window_, &placement)) return;
  switch (placement.showCmd) {
    case SW_SHOWMAXIMIZED:
      showState_ = ssMaximized;
      break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
      showState_ = ssMinimized;
      break;
    default:
      showState_ = ssNormal;
      break;
  }
}

void TWinSkinForm::ComputeFrameSizes() {
  if (!data_ || data_->SkinEmpty()) return;
  auto image = [&](int edge) {
    const TDataSkinBorder& e = data_->Edge(edge);
    return skin::EdgeImage{e.Map.Width(), e.Map.Height(), e.Frame};
  };
  frame_ = skin::ComputeFrameSizes(borderKind_, image(0), image(2), image(1), image(3));
  if (borderKind_ == bkNoCaption) menuBar_ = 0;
  current_ = nullptr;
  buttons_.clear();
  LoadWindowIcon();
  for (const auto& data : data_->CaptionButtons()) {
    auto button = std::make_unique<TWinSysButton>(*this, *data);
    button->Enabled = true;
    if (button->IsIcon()) button->SetIconImage(&windowIcon_);
    buttons_.push_back(std::move(button));
  }
}

void TWinSkinForm::LoadWindowIcon() {
  windowIcon_ = IconBitmap(WindowIcon(window_));
}

LRESULT TWinSkinForm::Route(void* owner, HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  return static_cast<TWinSkinForm*>(owner)->FrameProc(msg, wParam, lParam);
}

LRESULT TWinSkinForm::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
  return subclass_.CallOld(window_, msg, wParam, lParam);
}

LRESULT TWinSkinForm::FrameProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (frameState_ == fsAttached) {
    if (msg == WM_NCPAINT) return 0;
    // Answering FALSE would keep the window from being deactivated.
    if (msg == WM_NCACTIVATE && mdiKind_ != 2) {
      active_ = wParam != 0;
      return TRUE;
    }
  }
  LRESULT result = 0;
  if (FrameMessage(msg, wParam, lParam, &result)) return result;
  if (!frameSkinning_ || (childWindow_ && mdiKind_ != 2)) return Default(msg, wParam, lParam);
  if (NonClientMessage(msg, wParam, lParam, &result)) return result;
  return Default(msg, wParam, lParam);
}

// The messages treated whatever the frame does.
bool TWinSkinForm::FrameMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (msg) {
    case WM_ERASEBKGND:
      *result = Default(msg, wParam, lParam);
      if (!form_ && data_) {
        RECT client;
        GetClientRect(window_, &client);
        OwnedBrush face(CreateSolidBrush(ResolveColour(data_->FaceColour())));
        FillRect(reinterpret_cast<HDC>(wParam), &client, face.Get());
        *result = 1;
      }
      return true;
    case WM_NCDESTROY: {
      frameState_ = fsDestroying;
      KillTimer(window_, kFrameTimerId);
      timerOn_ = false;
      hint_.reset();
      FreeSystemMenu();
      ReleaseControls();
      ReleaseMenuBar(true);
      HWND window = window_;
      *result = Default(msg, wParam, lParam);
      RestoreOwnProcedures();
      frameState_ = fsDestroyed;
      host_->ForgetWindow(window);
      return true;
    }
    case 0x00AE:  // the themed caption-redraw request
      *result = 0;
      return true;
    case WM_INITMENUPOPUP:
      host_->SystemMenuOpen(HIWORD(lParam) != 0);
      *result = Default(msg, wParam, lParam);
      if (bar_ && IsWindow(window_)) bar_->InitMenuPopup(reinterpret_cast<HMENU>(wParam));
      return true;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      *result = Default(msg, wParam, lParam);
      if (!form_ && data_) {
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        if (msg == WM_CTLCOLORSTATIC) {
          static OwnedBrush face;
          static TColor faceColour = 0;
          if (!face || faceColour != ResolveColour(data_->FaceColour())) {
            faceColour = ResolveColour(data_->FaceColour());
            face.Reset(CreateSolidBrush(faceColour));
          }
          *result = reinterpret_cast<LRESULT>(face.Get());
        }
      }
      return true;
    case WM_TIMER:
      if (wParam != kFrameTimerId) return false;
      OnTimer();
      *result = 0;
      return true;
    default:
      break;
  }
  if (msg == SKM_START) {
    if (lParam == kStartMarker) StartSkinning();
    *result = 0;
    return true;
  }
  if (msg == SKM_RESKINSCROLLBAR) {  // the scroll-bar skinning seam
    *result = 0;
    return true;
  }
  if (msg == SKM_QUERYSKINNED) {
    PostMessageA(window_, SKM_SKINNED, 0, kSkinMagic);
    *result = 1;
    return true;
  }
  if (msg == SKM_SKINNED && wParam == 0 && lParam == kSkinMagic) {
    // Ours: never handed on, where it would read as a reflected WM_NOTIFY.
    *result = 0;
    return true;
  }
  if (!form_ && msg == SKM_IDENTIFY) {
    *result = lParam == kSkinMagic ? kSkinMagic : 1;
    return true;
  }
  if (!form_ && msg == SKM_PAINTFRAMEDC && lParam == kSkinMagic) {
    PaintFrame(reinterpret_cast<HDC>(wParam));
    *result = kSkinMagic;
    return true;
  }
  return false;
}

void TWinSkinForm::SetActive(bool active) {
  active_ = active;
  if (active && !timerOn_) {
    timerOn_ = SetTimer(window_, kFrameTimerId, kFrameTimerMs, nullptr) != 0;
  } else if (!active && timerOn_) {
    KillTimer(window_, kFrameTimerId);
    timerOn_ = false;
    HideHint();
  }
}

void TWinSkinForm::FormWindowProc(TMessage& message) {
  const TWndMethod& previous = formLink_->previous;
  if (message.Msg == WM_SETTEXT) {
    previous(message);
    if (IsWindowVisible(window_) && frameState_ != fsAttached) {
      if (showState_ == ssMaximized && host_->MdiClientWindow())
        PostMessageA(host_->MdiClientWindow(), SKM_MDIMAXIMIZED, reinterpret_cast<WPARAM>(window_),
                     0);
      if (showState_ == ssMinimized)
        PaintFrame();
      else
        SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return;
  }
  if (message.Msg == SKM_SKINCHANGED) {
    Reapply();
    return;
  }
  if (message.Msg == SKM_PAINTFRAMEDC && message.LParam == kSkinMagic) {
    PaintFrame(reinterpret_cast<HDC>(message.WParam));
    message.Result = kSkinMagic;
    return;
  }
  if (message.Msg == SKM_IDENTIFY) {
    message.Result = message.LParam == kSkinMagic ? kSkinMagic : 1;
    return;
  }
  if (message.Msg == CM_MENUCHANGED) {
    previous(message);
    if (frameSkinning_ && !bar_ && GetMenu(window_) && mdiKind_ != 2) {
      // A menu given to the form after skinning started: the bar takes it.
      MakeMenuBar();
      SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (bar_) {
      bar_->MenuChanged();
      PaintFrame();
    }
    return;
  }
  if (message.Msg == CM_DIALOGCHAR && bar_) {
    if (bar_->DialogChar(message.WParam, message.LParam)) {
      message.Result = 1;
      return;
    }
    // Without a match the application's main form may own the key.
    TForm* main = Application().MainForm();
    if (form_ && main && main != form_ && !form_->Modal() && main->HandleAllocated()) {
      message.Result = main->Perform(CM_DIALOGCHAR, message.WParam, message.LParam);
      if (message.Result) return;
    }
  }
  previous(message);
}

void TWinSkinForm::StartSkinning() {
  systemMenu_ = GetSystemMenu(window_, FALSE);
  LoadWindowIcon();
  RECT window;
  GetWindowRect(window_, &window);
  GetClientRect(window_, &startClient_);
  if (frameState_ == fsAttached) {
    systemFrame_.cx = (window.right - window.left) - startClient_.right;
    systemFrame_.cy = (window.bottom - window.top) - startClient_.bottom;
  }
  {
    // The wrapped controls and the fitted frame are painted once, at the end:
    // a shown window would otherwise erase itself and every child again for
    // the new size and once more for the region.
    SuspendedPainting suspended(window_);
    host_->SkinChildControls(*this);
    if (frameState_ == fsAttached) {
      const LONG style = GetWindowLongA(window_, GWL_STYLE);
      if (frameSkinning_ && !childWindow_ && (style & WS_CAPTION) == WS_CAPTION &&
          showState_ != ssMinimized) {
        frameState_ = fsFitting;
        FitWindow(false);
        frameState_ = fsSkinned;
        if (showState_ == ssMaximized)
          SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        else
          UpdateRegion();
      }
    }
  }
  SendMessageA(window_, SKM_SKINNED, 0, kSkinMagic);
  if (data_->OnAfterSkinForm)
    data_->OnAfterSkinForm(form_, reinterpret_cast<uintptr_t>(window_), className_);
  frameState_ = fsSkinned;
  if (frameSkinning_) {
    SetActive(GetActiveWindow() == window_);
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
}

void TWinSkinForm::FitWindow(bool) {
  if (showState_ == ssMaximized) {
    SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  // The client size the window has now, skinned or not, is kept.
  RECT client;
  GetClientRect(window_, &client);
  FitInput in;
  in.clientWidth = client.right;
  in.clientHeight = client.bottom;
  in.frame = frame_;
  in.menuBar = menuBar_;
  in.messageBox = messageBox_;
  in.textShift = data_->Title().TextShift;
  in.textRightClip = data_->Title().TextRightClip;
  if (messageBox_) {
    WindowDC dc(window_, true);
    SelectedObject font(dc.Get(), captionFont_.Get());
    const std::string text = WindowText(window_);
    SIZE size{};
    GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    in.captionTextWidth = size.cx;
  }
  const FitResult fit = FitWindowSize(in);
  if (fit.childShift > 0) {
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT r;
      GetWindowRect(child, &r);
      MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
      SetWindowPos(child, nullptr, r.left + fit.childShift, r.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  SetWindowPos(window_, nullptr, 0, 0, fit.width, fit.height,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinSkinForm::Reapply() {
  if (!attached_ || !data_) return;
  if (form_) form_->SetColor(static_cast<::velotune::TColor>(data_->FaceColour()));
  frameState_ = fsReskinning;
  ComputeFrameSizes();
  for (SkinnedControl* control : std::vector<SkinnedControl*>(controls_)) control->Reapply();
  FitWindow(true);
  if (form_) {
    form_->SetBounds(form_->Left(), form_->Top(), form_->Width(), form_->Height() + 1);
    form_->SetBounds(form_->Left(), form_->Top(), form_->Width(), form_->Height() - 1);
  }
  UpdateRegion();
  SendMessageA(window_, SKM_SKINNED, 0, kSkinMagic);
  if (data_->OnAfterSkinForm)
    data_->OnAfterSkinForm(form_, reinterpret_cast<uintptr_t>(window_), className_);
  frameState_ = fsSkinned;
  RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TWinSkinForm::RestoreOwnProcedures() {
  if (form_ && formLink_) {
    if (form_->WindowProc.target<FormProcFunctor>() &&
        form_->WindowProc.target<FormProcFunctor>()->link == formLink_)
      form_->WindowProc = formLink_->previous;
    // A functor still deeper in the chain passes messages on from now.
    formLink_->owner = nullptr;
    formLink_.reset();
  }
  subclass_.Remove();
}

void TWinSkinForm::Detach() {
  if (!attached_) return;
  FreeSystemMenu();
  if (IsWindow(window_)) KillTimer(window_, kFrameTimerId);
  timerOn_ = false;
  hint_.reset();
  current_ = nullptr;
  RestoreOwnProcedures();
  ReleaseControls();
  const int barHeight = bar_ ? systemBarHeight_ : 0;
  ReleaseMenuBar(false);
  if (form_ && formColourSaved_) form_->SetColor(formColour_);
  formColourSaved_ = false;
  attached_ = false;
  if (!IsWindow(window_)) return;
  const LONG style = GetWindowLongA(window_, GWL_STYLE);
  if ((buttonSet_ & bsSystemMenu) && !(style & WS_SYSMENU))
    SetWindowLongA(window_, GWL_STYLE, style | WS_SYSMENU);
  const bool destroying = frameState_ == fsDestroying || frameState_ == fsDestroyed;
  if (frameSkinning_ && !destroying && (!childWindow_ || mdiKind_ == 2)) {
    RECT r;
    GetWindowRect(window_, &r);
    const int w = r.right - r.left + systemFrame_.cx - frame_.left - frame_.right;
    const int h =
        r.bottom - r.top + systemFrame_.cy - frame_.top - frame_.bottom - menuBar_ + barHeight;
    if (showState_ == ssNormal && frameState_ != fsAttached)
      SetWindowPos(window_, nullptr, 0, 0, w, h,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    else
      SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetWindowRgn(window_, nullptr, TRUE);
  regionSize_ = SIZE{-1, -1};
  RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TWinSkinForm::MakeMenuBar() {
  RECT before;
  GetClientRect(window_, &before);
  bar_ = MakeSkinMenuBar(*this);
  bar_->Build();  // the window's own bar goes
  menuBar_ = GetSystemMetrics(SM_CYMENU);
  RECT after;
  GetClientRect(window_, &after);
  systemBarHeight_ = after.bottom - before.bottom;
  if (systemBarHeight_ <= 0) {
    systemBarHeight_ = menuBar_;
  } else if (frameState_ == fsAttached) {
    // The client area keeps its size: the window loses the system's bar.
    RECT r;
    GetWindowRect(window_, &r);
    SetWindowPos(window_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top - systemBarHeight_,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TWinSkinForm::ReleaseMenuBar(bool windowGoing) {
  if (!bar_) return;
  std::unique_ptr<SkinMenuBar> bar = std::move(bar_);
  if (current_ && bar->Owns(current_)) current_ = nullptr;
  bar->Restore(windowGoing);
}

void TWinSkinForm::RegisterControl(SkinnedControl* control) {
  if (std::find(controls_.begin(), controls_.end(), control) == controls_.end())
    controls_.push_back(control);
}

void TWinSkinForm::UnregisterControl(SkinnedControl* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

bool TWinSkinForm::HasControl(HWND window) const {
  return std::any_of(controls_.begin(), controls_.end(),
                     [window](const SkinnedControl* c) { return c->Window() == window; });
}

void TWinSkinForm::ReleaseControls() {
  // Each wrapper gives its control back and leaves the list as it goes.
  while (!controls_.empty()) {
    SkinnedControl* control = controls_.back();
    controls_.pop_back();
    delete control;
  }
}

}  // namespace velotune::skin
