// The messages of a skinned window: those treated whatever the frame does,
// those that keep its state up to date, and the non-client area itself
// (sizes and hit tests against the skin's frame, painting and activation, the
// caption buttons' mouse messages, the system menu and the commands reposted).
#include <algorithm>

#include "framework/menus.h"
#include "skin/data/colour.h"
#include "skin/frame/frame_helpers.h"
#include "skin/frame/skin_messages.h"
#include "skin/frame/win_skin_form.h"
#include "skin/paint/win32_paint.h"

namespace velotune::skin {

namespace {
constexpr UINT kRepostedCommands[] = {SC_SIZE,       SC_MOVE,       SC_MINIMIZE, SC_MAXIMIZE,
                                      SC_NEXTWINDOW, SC_PREVWINDOW, SC_CLOSE,    SC_RESTORE};
// The themed caption and frame redraw requests, answered without drawing.
constexpr UINT kThemedCaptionRedraw = 0x00AE;
constexpr UINT kThemedFrameRedraw = 0x00AF;

bool IsCaptionButtonCode(LRESULT code) {
  return code == HTSYSMENU || code == HTMINBUTTON || code == HTMAXBUTTON || code == HTCLOSE ||
         code == HTHELP;
}
}  // namespace

LRESULT TWinSkinForm::Route(void* owner, HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  return static_cast<TWinSkinForm*>(owner)->FrameProc(msg, wParam, lParam);
}

LRESULT TWinSkinForm::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
  return subclass_.CallOld(window_, msg, wParam, lParam);
}

LRESULT TWinSkinForm::DefaultUnseen(UINT msg, WPARAM wParam, LPARAM lParam) {
  const LONG style = GetWindowLongA(window_, GWL_STYLE);
  if (!(style & WS_VISIBLE) || !frameSkinning_ || !Painting()) return Default(msg, wParam, lParam);
  // The default handling of a new text or icon draws the system's caption at
  // once, over the skin's, unless the window looks hidden meanwhile. The
  // window keeps its system-menu style, so that what the system reports
  // about the title bar stays true.
  SetWindowLongA(window_, GWL_STYLE, style & ~WS_VISIBLE);
  const LRESULT result = Default(msg, wParam, lParam);
  if (IsWindow(window_))
    SetWindowLongA(window_, GWL_STYLE, GetWindowLongA(window_, GWL_STYLE) | WS_VISIBLE);
  return result;
}

LRESULT TWinSkinForm::FrameProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (frameState_ == fsAttached) {
    if (msg == WM_NCPAINT) return 0;
    // Answering FALSE would keep the window from being deactivated.
    if (msg == WM_NCACTIVATE && mdiKind_ != mkChild) {
      active_ = wParam != 0;
      return TRUE;
    }
  }
  LRESULT result = 0;
  if (FrameMessage(msg, wParam, lParam, &result)) return result;
  if (!frameSkinning_ || (childWindow_ && mdiKind_ != mkChild)) return Default(msg, wParam, lParam);
  if (StateMessage(msg, wParam, lParam, &result)) return result;
  if (frameState_ == fsAttached || (mdiKind_ == mkChild && showState_ == ssMaximized))
    return Default(msg, wParam, lParam);
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
      GiveBack(Teardown::kDestroyed);
      HWND window = window_;
      *result = Default(msg, wParam, lParam);
      RestoreOwnProcedures();
      frameState_ = fsDestroyed;
      // A form frees its skinned object; a foreign window's is freed by the
      // manager once this message is done with it.
      if (Owner())
        host_->ForgetWindow(window);
      else
        host_->WindowGone(*this);
      return true;
    }
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
      host_->MenuLoop(msg == WM_ENTERMENULOOP);
      *result = Default(msg, wParam, lParam);
      return true;
    case kThemedCaptionRedraw:
    case kThemedFrameRedraw:
      *result = 0;
      return true;
    case WM_INITMENUPOPUP:
      host_->SystemMenuOpen(HIWORD(lParam) != 0);
      *result = Default(msg, wParam, lParam);
      if (MenuBar() && IsWindow(window_)) MenuBar()->InitMenuPopup(reinterpret_cast<HMENU>(wParam));
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
      buttons_.OnTimer();
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
  buttons_.Activate(active);
}

// The messages that keep the window's state up to date, and commands.
bool TWinSkinForm::StateMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (msg) {
    case WM_SIZE:
      *result = Default(msg, wParam, lParam);
      if (wParam == SIZE_RESTORED) showState_ = ssNormal;
      if (wParam == SIZE_MINIMIZED) showState_ = ssMinimized;
      if (wParam == SIZE_MAXIMIZED) showState_ = ssMaximized;
      if (showState_ == ssMinimized) return true;
      if (mdiKind_ == mkChild && (host_->ShowsMaximizedMdiChild() || showState_ != ssNormal))
        return true;
      if (Painting()) UpdateRegion();
      return true;
    case WM_ACTIVATE:
      active_ = LOWORD(wParam) != WA_INACTIVE;
      return false;
    case WM_GETMINMAXINFO:
      *result = Default(msg, wParam, lParam);
      ReadShowState();
      return true;
    case WM_WINDOWPOSCHANGED:
      ReadShowState();
      *result = Default(msg, wParam, lParam);
      return true;
    case WM_SETICON:
      *result = DefaultUnseen(msg, wParam, lParam);
      buttons_.LoadWindowIcon();
      // The caption shows the new icon at once.
      if (frameState_ != fsAttached) PaintFrame();
      return true;
    case WM_SETTEXT:
      *result = DefaultUnseen(msg, wParam, lParam);
      if (frameState_ != fsAttached) PaintFrame();
      return true;
    case WM_COMMAND:
      if (std::find(std::begin(kRepostedCommands), std::end(kRepostedCommands), wParam) !=
          std::end(kRepostedCommands)) {
        PostMessageA(window_, WM_SYSCOMMAND, wParam, 0);
        *result = 0;
        return true;
      }
      return false;
    case WM_SYSCOMMAND: {
      const UINT command = wParam & 0xFFF0;
      if (command == SC_KEYMENU && lParam == ' ') {
        POINT origin{0, 0};
        ClientToScreen(window_, &origin);
        ShowSystemMenu(origin);
        *result = 0;
        return true;
      }
      SkinMenuBar* bar = MenuBar();
      if (command == SC_KEYMENU && bar && !bar->PopupOpen() && lParam != '-' && !GetCapture() &&
          bar->OpenByKey(static_cast<wchar_t>(lParam))) {
        *result = 1;  // the window may be gone now
        return true;
      }
      // Alt alone and a press on the system-menu icon would open the
      // system's own menu: the skinned one stands for it.
      if (command == SC_KEYMENU && lParam == 0 && !bar) {
        *result = 0;
        return true;
      }
      if (command == SC_MOUSEMENU) {
        POINT origin{0, 0};
        ClientToScreen(window_, &origin);
        ShowSystemMenu(origin);
        *result = 0;
        return true;
      }
      if (command == SC_MINIMIZE) showState_ = ssMinimized;
      if (command == SC_MAXIMIZE) showState_ = ssMaximized;
      if (command == SC_RESTORE) showState_ = ssNormal;
      return false;
    }
    case WM_MENUSELECT:
      if (MenuBar()) MenuBar()->MenuSelect(wParam, lParam);
      return false;
    default:
      break;
  }
  if (msg == SKM_MENUPOPUP) {
    *result = 0;
    TNCObject* object = buttons_.ObjectAtScreen(lParam);
    SkinMenuBar* bar = MenuBar();
    if (object && bar && bar->Owns(object)) {
      object->MouseDown();
      bar->Open(*object);  // the window may be gone now
    }
    return true;
  }
  return false;
}

// The non-client area itself, once the frame is skinned.
bool TWinSkinForm::NonClientMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (buttons_.MouseMessage(msg, wParam, lParam, result)) return true;
  switch (msg) {
    case WM_MEASUREITEM:
    case WM_DRAWITEM: {
      // Both structures start with the control type and the item's id.
      const bool measuring = msg == WM_MEASUREITEM;
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (measure->CtlType != ODT_MENU) return false;
      SkinMenuBar* bar = MenuBar();
      if (!(measuring ? systemMenu_.MeasureItem(*measure) : systemMenu_.DrawItem(*draw)) &&
          (!bar || !(measuring ? bar->MeasureItem(*measure) : bar->DrawItem(*draw))))
        return false;
      *result = TRUE;
      return true;
    }
    case WM_NCCALCSIZE: {
      *result = Default(msg, wParam, lParam);
      const bool whole =
          borderKind_ == bkNoCaption || (mdiKind_ == mkChild && showState_ != ssNormal);
      if (!wParam) {
        auto* r = reinterpret_cast<RECT*>(lParam);
        if (!whole) *r = frame_.ClientIn(*r);
        *result = 0;
        return true;
      }
      auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
      const WINDOWPOS* pos = params->lppos;
      const RECT window{pos->x, pos->y, pos->x + pos->cx, pos->y + pos->cy};
      params->rgrc[0] = whole ? window : frame_.ClientIn(window);
      // The system keeps what it can of the old client area.
      *result = 0;
      return true;
    }
    case WM_NCHITTEST: {
      RECT r;
      GetWindowRect(window_, &r);
      LRESULT answer = frame_.HitTest(Default(msg, wParam, lParam), PointY(lParam) - r.top, scale_);
      // The system places its buttons by its own caption: only the skin's
      // buttons answer as buttons, each with the code of what it does.
      if (IsCaptionButtonCode(answer)) answer = HTCAPTION;
      if (answer == HTCAPTION)
        if (const int code = buttons_.HitCodeAtScreen(lParam)) answer = code;
      *result = answer;
      return true;
    }
    case WM_GETTITLEBARINFOEX: {
      auto* info = reinterpret_cast<TITLEBARINFOEX*>(lParam);
      if (!info || info->cbSize != sizeof(TITLEBARINFOEX) || borderKind_ == bkNoCaption)
        return false;
      buttons_.FillTitleBarInfo(*info);
      *result = 0;
      return true;
    }
    // The system's own hot caption buttons go when the mouse leaves; the
    // skin's caption follows the mouse with its timer.
    case WM_NCMOUSELEAVE:
      *result = 0;
      return true;
    case WM_MENUCHAR:
      // A form's menus answer through the form; a dialog's skinned system
      // menu here.
      if (form_ || !AnswerMenuChar(reinterpret_cast<HMENU>(lParam),
                                   static_cast<char>(LOWORD(wParam)), result))
        return false;
      return true;
    case WM_CONTEXTMENU:
      // A right click on the caption opened the skinned system menu already.
      if (reinterpret_cast<HWND>(wParam) == window_ &&
          SendMessageA(window_, WM_NCHITTEST, 0, lParam) != HTCLIENT && lParam != -1) {
        *result = 0;
        return true;
      }
      return false;
    case WM_NCPAINT: {
      if (borderKind_ == bkNoCaption)
        *result = Default(msg, wParam, lParam);
      else
        PaintFrame();
      *result = 0;
      return true;
    }
    case WM_NCACTIVATE:
      SetActive(wParam != 0);
      if (mdiKind_ == mkChild) Default(msg, wParam, lParam);
      PaintFrame();
      *result = TRUE;
      return true;
    case WM_NCRBUTTONDOWN:
      if (wParam == HTCAPTION && mdiKind_ != mkChild) {
        ShowSystemMenu(POINT{PointX(lParam), PointY(lParam)});
        *result = 0;
        return true;
      }
      return false;
    default:
      break;
  }
  if (msg == SKM_REPAINTFRAME) {
    PaintFrame();
    *result = 0;
    return true;
  }
  return false;
}

}  // namespace velotune::skin
