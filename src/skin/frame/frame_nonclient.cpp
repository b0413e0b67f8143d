// The non-client messages of a skinned window: sizes and hit tests against
// the skin's frame, painting and activation, the caption buttons' mouse
// messages, double clicks, the system menu and the commands reposted.
#include <algorithm>

#include "framework/menus.h"
#include "skin/frame/frame_helpers.h"
#include "skin/frame/menu_bar.h"
#include "skin/frame/skin_messages.h"
#include "skin/frame/system_menu.h"
#include "skin/frame/win_skin_form.h"

namespace velotune::skin {

namespace {
constexpr UINT kRepostedCommands[] = {SC_SIZE,       SC_MOVE,       SC_MINIMIZE, SC_MAXIMIZE,
                                      SC_NEXTWINDOW, SC_PREVWINDOW, SC_CLOSE,    SC_RESTORE};
}  // namespace

bool TWinSkinForm::NonClientMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const bool maximizedMdiChild = mdiKind_ == 2 && showState_ == ssMaximized;
  // The second stage: state kept up to date, commands.
  switch (msg) {
    case WM_SIZE:
      *result = Default(msg, wParam, lParam);
      if (wParam == SIZE_RESTORED) showState_ = ssNormal;
      if (wParam == SIZE_MINIMIZED) showState_ = ssMinimized;
      if (wParam == SIZE_MAXIMIZED) showState_ = ssMaximized;
      if (showState_ == ssMinimized) return true;
      if (mdiKind_ == 2 && (host_->ShowsMaximizedMdiChild() || showState_ != ssNormal)) return true;
      if (frameState_ == fsSkinned || frameState_ == fsReskinning) UpdateRegion();
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
      *result = Default(msg, wParam, lParam);
      LoadWindowIcon();
      return true;
    case WM_SETTEXT:
      // A form repaints its caption from FormWindowProc.
      if (form_) return false;
      *result = Default(msg, wParam, lParam);
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
      if (command == SC_KEYMENU && bar_ && !bar_->PopupOpen() && lParam != '-' && !GetCapture() &&
          bar_->OpenByKey(static_cast<wchar_t>(lParam))) {
        *result = 1;  // the window may be gone now
        return true;
      }
      if (command == SC_MINIMIZE) showState_ = ssMinimized;
      if (command == SC_MAXIMIZE) showState_ = ssMaximized;
      if (command == SC_RESTORE) showState_ = ssNormal;
      return false;
    }
    case WM_MENUSELECT:
      if (bar_) bar_->MenuSelect(wParam, lParam);
      return false;
    default:
      break;
  }
  if (msg == SKM_MENUPOPUP) {
    *result = 0;
    TNCObject* object = ObjectAt(ToWindow(lParam));
    if (object && bar_ && bar_->Owns(object)) {
      object->MouseDown();
      bar_->Open(*object);  // the window may be gone now
    }
    return true;
  }
  if (frameState_ == fsAttached || maximizedMdiChild) return false;
  // The third stage: the non-client area itself.
  switch (msg) {
    case WM_MEASUREITEM:
    case WM_DRAWITEM: {
      // Both structures start with the control type and the item's id.
      const bool measuring = msg == WM_MEASUREITEM;
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (measure->CtlType != ODT_MENU) return false;
      if (const TMenuItem* item = SystemMenuItem(measure->itemID)) {
        if (measuring)
          MeasureSystemMenuItem(*data_, *item, *measure);
        else
          PaintSystemMenuItem(*data_, *item, *draw);
      } else if (!bar_ || !(measuring ? bar_->MeasureItem(*measure) : bar_->DrawItem(*draw))) {
        return false;
      }
      *result = TRUE;
      return true;
    }
    case WM_NCCALCSIZE: {
      *result = Default(msg, wParam, lParam);
      const bool whole = borderKind_ == bkNoCaption || (mdiKind_ == 2 && showState_ != ssNormal);
      if (!wParam) {
        auto* r = reinterpret_cast<RECT*>(lParam);
        if (!whole) {
          r->left += frame_.left;
          r->top += frame_.top + menuBar_;
          r->right = std::max(r->left, r->right - frame_.right);
          r->bottom = std::max(r->top, r->bottom - frame_.bottom);
        }
        *result = 0;
        return true;
      }
      auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
      const WINDOWPOS* pos = params->lppos;
      RECT client{pos->x, pos->y, pos->x + pos->cx, pos->y + pos->cy};
      if (!whole) {
        client.left += frame_.left;
        client.top += frame_.top + menuBar_;
        client.right = std::max(client.left, client.right - frame_.right);
        client.bottom = std::max(client.top, client.bottom - frame_.bottom);
      }
      params->rgrc[0] = client;
      // The system keeps what it can of the old client area.
      *result = 0;
      return true;
    }
    case WM_NCHITTEST: {
      *result = Default(msg, wParam, lParam);
      switch (*result) {
        case HTNOWHERE:
        case HTCAPTION:
        case HTSYSMENU:
        case HTMINBUTTON:
        case HTMAXBUTTON:
        case HTCLOSE:
        case HTHELP:
        case HTMENU: {
          // The system answers by its own caption; the skin's is another.
          RECT r;
          GetWindowRect(window_, &r);
          const int y = PointY(lParam) - r.top;
          if (y > 3) *result = HTCAPTION;
          if (y > frame_.top && menuBar_ > 0) *result = HTMENU;
          break;
        }
        default:
          break;
      }
      return true;
    }
    case WM_NCPAINT: {
      const LONG style = GetWindowLongA(window_, GWL_STYLE);
      // So that default processing never draws the system's caption buttons.
      if ((style & WS_SYSMENU) && !(buttonSet_ & bsKeepSysMenu))
        SetWindowLongA(window_, GWL_STYLE, style & ~WS_SYSMENU);
      if (borderKind_ == bkNoCaption)
        *result = Default(msg, wParam, lParam);
      else
        PaintFrame();
      *result = 0;
      return true;
    }
    case WM_NCACTIVATE:
      SetActive(wParam != 0);
      if (mdiKind_ == 2) Default(msg, wParam, lParam);
      PaintFrame();
      *result = TRUE;
      return true;
    case WM_NCMOUSEMOVE: {
      *result = 0;
      if (!active_) return true;
      if (TNCObject* object = ObjectAt(ToWindow(lParam))) {
        object->MouseEnter();
        return true;
      }
      if (current_) current_->MouseLeave();
      *result = Default(msg, wParam, lParam);
      return true;
    }
    case WM_NCLBUTTONDOWN: {
      HideHint();
      if (TNCObject* object = ObjectAt(ToWindow(lParam))) {
        if (!active_) SetForegroundWindow(window_);
        object->MouseDown();
        *result = 0;
        if (bar_ && bar_->Owns(object)) bar_->Open(*object);  // the window may be gone now
        return true;
      }
      // A maximized window is not dragged by its caption.
      if (showState_ == ssMaximized && active_ && wParam == HTCAPTION) wParam = HTMENU;
      *result = Default(msg, wParam, lParam);
      return true;
    }
    case WM_NCLBUTTONUP: {
      HideHint();
      TNCObject* object = ObjectAt(ToWindow(lParam));
      if (!object) return false;
      if (object == current_ && object->State == ncPressed) {
        object->MouseUp();
        POINT screen{PointX(lParam), PointY(lParam)};
        for (const auto& button : buttons_)
          if (button.get() == object) RunButtonAction(*button, screen);
      }
      *result = 0;
      return true;
    }
    case WM_NCLBUTTONDBLCLK: {
      TNCObject* object = ObjectAt(ToWindow(lParam));
      for (const auto& button : buttons_) {
        if (button.get() == object && button->IsIcon()) {
          KillTimer(window_, kFrameTimerId);
          timerOn_ = false;
          PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
          *result = 0;
          return true;
        }
      }
      if (object) {
        *result = 0;
        return true;
      }
      if (showState_ != ssNormal) {
        PostMessageA(window_, WM_SYSCOMMAND, SC_RESTORE, 0);
      } else if (buttonSet_ & bsMaximizeBox) {
        PostMessageA(window_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
      } else {
        *result = Default(msg, wParam, lParam);
        return true;
      }
      *result = 0;
      return true;
    }
    case WM_NCRBUTTONDOWN:
      if (wParam == HTCAPTION && mdiKind_ != 2) {
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
