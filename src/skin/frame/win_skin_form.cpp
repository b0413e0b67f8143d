#include "skin/frame/win_skin_form.h"

#include <algorithm>

#include "framework/application.h"
#include "framework/form.h"
#include "framework/messages.h"
#include "framework/suspended_painting.h"
#include "platform/text_case.h"
#include "skin/data/colour.h"
#include "skin/frame/frame_helpers.h"
#include "skin/frame/skin_messages.h"
#include "skin/paint/win32_paint.h"
#include "skin/paint/window_scale.h"

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

// Stands in for a manager that has gone.
class NullHost : public SkinHost {
 public:
  bool Busy() const override { return false; }
  void MarkSkinning() override {}
  void SystemMenuOpen(bool) override {}
  void SkinChildControls(TWinSkinForm&) override {}
  void ForgetWindow(HWND) override {}
  std::unique_ptr<SkinMenuBar> MakeMenuBar(SkinnedFrame&) override { return nullptr; }
  void MeasureSystemMenuItem(const TSkinData&, const TMenuItem&, MEASUREITEMSTRUCT&,
                             const DpiScale&) override {}
  void PaintSystemMenuItem(const TSkinData&, const TMenuItem&, const DRAWITEMSTRUCT&,
                           const DpiScale&) override {}
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
  // Freed with its form (or by the manager): hooks and controls go back;
  // the window keeps its size, it is going too or will be given back.
  if (attached_) GiveBack(Teardown::kFreed);
  buttons_.DropHint();
  if (window_) host_->ForgetWindow(window_);
  auto& live = LiveSkinForms();
  live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

void TWinSkinForm::SetWindow(HWND window, const std::string& className) {
  window_ = window;
  className_ = className;
}

bool TWinSkinForm::Attach(TSkinData& data) {
  if (attached_) return true;
  if (!window_ || !subclass_.Install(window_, this, &TWinSkinForm::Route)) return false;
  host_->MarkSkinning();
  data_ = &data;
  scale_ = ScaleOfWindow(window_);
  frameSkinning_ = InSet(data.SkinControls, xcMainMenu);
  ReadStyles();
  attached_ = true;
  painter_.MakeFont();
  if (frameSkinning_) {
    // With a skinned menu bar M = the system menu-bar height, and the bar is
    // drawn by it in (L, T, w - R, T + M).
    frame_.SetMenuBar(0);
    if (GetMenu(window_) && mdiKind_ != mkChild) TakeMenuBar();
    ComputeFrameSizes();
  } else {
    frameState_ = fsSkinned;
  }
  return true;
}

void TWinSkinForm::ReadStyles() {
  const LONG style = GetWindowLongA(window_, GWL_STYLE);
  const LONG exStyle = GetWindowLongA(window_, GWL_EXSTYLE);
  rightToLeft_ = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
  childWindow_ = (style & WS_CHILD) != 0;
  messageBox_ = SameText(className_, "#32770") || SameText(className_, "TMessageForm");
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
  mdiKind_ = (exStyle & WS_EX_MDICHILD)                              ? mkChild
             : FindWindowExA(window_, nullptr, "MDIClient", nullptr) ? mkFrame
                                                                     : mkNone;
  if (mdiKind_ == mkChild && InSet(data_->Options, xoMDIChildBorder)) frameSkinning_ = false;
  if ((style & WS_CAPTION) != WS_CAPTION)
    borderKind_ = bkNoCaption;
  else if ((style & DS_MODALFRAME) || (exStyle & WS_EX_DLGMODALFRAME) || messageBox_)
    borderKind_ = bkDialog;
  else if (style & WS_THICKFRAME)
    borderKind_ = bkSizeable;
  else
    borderKind_ = bkFixed;
}

bool TWinSkinForm::AttachForm(TSkinData& data, TForm& form) {
  form_ = &form;
  if (data.OnBeforeSkinForm)
    data.OnBeforeSkinForm(&form, reinterpret_cast<uintptr_t>(window_), className_);
  if (InSet(data.SkinControls, xcMenuItem) && form.HasProperty("AutoScroll"))
    form.SetPropText("AutoScroll", "False");
  if (!Attach(data)) return false;
  if (frameSkinning_) {
    formLink_ = std::make_shared<FormLink>(FormLink{this, form.WindowProc});
    form.WindowProc = FormProcFunctor{formLink_};
  }
  formColour_ = form.Color();
  formColourSaved_ = true;
  form.SetColor(static_cast<::velotune::TColor>(data.FaceColour()));
  return true;
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
  frame_.Measure(*data_, borderKind_, scale_);
  buttons_.Rebuild(*data_);
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
    if (frameSkinning_ && !MenuBar() && GetMenu(window_) && mdiKind_ != mkChild) {
      // A menu given to the form after skinning started: the bar takes it.
      TakeMenuBar();
      SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (SkinMenuBar* bar = MenuBar()) {
      bar->MenuChanged();
      PaintFrame();
    }
    return;
  }
  if (message.Msg == CM_DIALOGCHAR && MenuBar()) {
    if (MenuBar()->DialogChar(message.WParam, message.LParam)) {
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
  systemMenu_.ReadWindowMenu();
  buttons_.LoadWindowIcon();
  RECT window, client;
  GetWindowRect(window_, &window);
  GetClientRect(window_, &client);
  if (frameState_ == fsAttached) {
    systemFrame_.cx = (window.right - window.left) - client.right;
    systemFrame_.cy = (window.bottom - window.top) - client.bottom;
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
  in.frame = frame_.Sizes();
  in.menuBar = frame_.MenuBar();
  in.messageBox = messageBox_;
  in.textShift = scale_.Px(data_->Title().TextShift);
  in.textRightClip = scale_.Px(data_->Title().TextRightClip);
  if (messageBox_) {
    WindowDC dc(window_, true);
    SelectedObject font(dc.Get(), painter_.Font());
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
  controls_.ReapplyAll();
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
  const int barHeight = menuBar_.SystemHeight();
  GiveBack(Teardown::kDetached);
  attached_ = false;
  if (!IsWindow(window_)) return;
  const LONG style = GetWindowLongA(window_, GWL_STYLE);
  if ((buttonSet_ & bsSystemMenu) && !(style & WS_SYSMENU))
    SetWindowLongA(window_, GWL_STYLE, style | WS_SYSMENU);
  const bool destroying = frameState_ == fsDestroying || frameState_ == fsDestroyed;
  if (frameSkinning_ && !destroying && (!childWindow_ || mdiKind_ == mkChild)) {
    const FrameSizes& f = frame_.Sizes();
    RECT r;
    GetWindowRect(window_, &r);
    const int w = r.right - r.left + systemFrame_.cx - f.left - f.right;
    const int h =
        r.bottom - r.top + systemFrame_.cy - f.top - f.bottom - frame_.MenuBar() + barHeight;
    if (showState_ == ssNormal && frameState_ != fsAttached)
      SetWindowPos(window_, nullptr, 0, 0, w, h,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    else
      SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetWindowRgn(window_, nullptr, TRUE);
  frame_.ForgetRegion();
  RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TWinSkinForm::GiveBack(Teardown how) {
  // After WM_NCDESTROY the window's procedures go back once the system has
  // handled the message (see FrameMessage), and the form keeps its colour
  // until the skinned form is freed.
  const bool windowGoing =
      how == Teardown::kDestroyed || (how == Teardown::kFreed && (!window_ || !IsWindow(window_)));
  buttons_.StopTimer();
  buttons_.DropHint();
  buttons_.SetCurrent(nullptr);
  systemMenu_.Free();
  if (how != Teardown::kDestroyed) RestoreOwnProcedures();
  controls_.ReleaseAll();
  menuBar_.Release(windowGoing, *this);
  if (how == Teardown::kDestroyed) return;
  if (form_ && formColourSaved_) form_->SetColor(formColour_);
  formColourSaved_ = false;
}

void TWinSkinForm::TakeMenuBar() {
  menuBar_.Take(*host_, *this, frame_, frameState_ == fsAttached);
}

void TWinSkinForm::PostClose(UINT msg, WPARAM command) {
  buttons_.PostClose(msg, command);
}

void TWinSkinForm::UpdateRegion() {
  if (frameState_ == fsDestroyed || !frameSkinning_ || !data_) return;
  if (mdiKind_ == mkChild && showState_ != ssNormal) return;
  frame_.UpdateRegion(window_, *data_, borderKind_, active_,
                      mdiKind_ == mkChild || frameState_ == fsReskinning);
}

void TWinSkinForm::PaintFrame(HDC given) {
  if (!Painting()) return;
  if (borderKind_ == bkNoCaption || (mdiKind_ == mkChild && showState_ == ssMaximized) || !data_)
    return;
  try {
    std::unique_ptr<WindowDC> own;
    HDC dc = given;
    if (!dc) {
      own = std::make_unique<WindowDC>(window_, true);
      dc = own->Get();
    }
    if (!dc) return;
    RECT r;
    GetWindowRect(window_, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (showState_ != ssMinimized) frame_.PaintSides(*data_, dc, w, h, active_);
    painter_.Paint(dc, w, h);
    if (frame_.MenuBar() > 0) {
      const FrameSizes& f = frame_.Sizes();
      RECT strip{f.left, f.top, w - f.right, f.top + frame_.MenuBar()};
      if (SkinMenuBar* bar = MenuBar()) {
        bar->Paint(dc, strip);
      } else {
        OwnedBrush face(CreateSolidBrush(ResolveColour(data_->FaceColour())));
        FillRect(dc, &strip, face.Get());
      }
    }
  } catch (...) {
    // A broken skin must not break the window.
  }
}

}  // namespace velotune::skin
