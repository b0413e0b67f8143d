// The caption buttons under the mouse: which one is hot, the hover timer and
// its hint, and what a click on a button does.
#include "framework/form.h"
#include "skin/frame/caption_hint.h"
#include "skin/frame/frame_helpers.h"
#include "skin/frame/menu_bar.h"
#include "skin/frame/skin_messages.h"
#include "skin/frame/win_skin_form.h"

namespace velotune::skin {

POINT TWinSkinForm::ToWindow(LPARAM screenPoint) const {
  RECT r;
  GetWindowRect(window_, &r);
  return POINT{PointX(screenPoint) - r.left, PointY(screenPoint) - r.top};
}

TNCObject* TWinSkinForm::ObjectAt(POINT p) const {
  for (const auto& button : buttons_)
    if (button->Visible && button->Action() >= 0 && button->Contains(p.x, p.y)) return button.get();
  return bar_ ? bar_->ItemAt(p) : nullptr;
}

bool TWinSkinForm::IsCaptionButton(const TNCObject* object) const {
  for (const auto& button : buttons_)
    if (button.get() == object) return true;
  return false;
}

bool TWinSkinForm::Alive(const TNCObject* object) const {
  return IsCaptionButton(object) || (bar_ && bar_->Owns(object));
}

void TWinSkinForm::HideHint() {
  hoverMs_ = 0;
  if (hint_) hint_->Hide();
}

void TWinSkinForm::OnTimer() {
  if (popupOpen_ || (bar_ && bar_->PopupOpen()) || !current_) return;
  if (!Alive(current_)) {
    current_ = nullptr;
    return;
  }
  POINT cursor;
  GetCursorPos(&cursor);
  RECT r;
  GetWindowRect(window_, &r);
  if (!current_->Contains(cursor.x - r.left, cursor.y - r.top)) {
    current_->MouseLeave();
    return;
  }
  if (!IsCaptionButton(current_)) return;  // menu-bar items have no hint
  auto* button = static_cast<TWinSysButton*>(current_);
  hoverMs_ += kFrameTimerMs;
  if (!InSet(data_->Options, xoCaptionButtonHint)) return;
  if (HintShown(hoverMs_, kHintPauseMs, kHintHidePauseMs)) {
    if (!hint_) hint_ = std::make_unique<CaptionHint>(window_);
    hint_->Show(HintTextFor(button->Action(), showState_ == ssMaximized),
                button->Bounds.left + r.left, cursor.y + 24);
  } else if (hint_) {
    hint_->Hide();
  }
}

void TWinSkinForm::RunButtonAction(TWinSysButton& button, POINT screen) {
  ActionInput in;
  in.action = button.Action();
  in.enabled = button.Enabled;
  in.maximized = showState_ == ssMaximized;
  in.minimized = showState_ == ssMinimized;
  in.hasCloseItem = systemMenu_ && GetMenuState(systemMenu_, SC_CLOSE, MF_BYCOMMAND) != UINT(-1);
  auto post = [this](UINT command) { PostMessageA(window_, WM_SYSCOMMAND, command, 0); };
  auto toMdiChild = [this](UINT command) {
    if (HWND client = host_->MdiClientWindow())
      if (auto child = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)))
        SendMessageA(child, WM_SYSCOMMAND, command, 0);
  };
  switch (RunButtonActionChoice(in)) {
    case ButtonEffect::kNone:
      break;
    case ButtonEffect::kPostClose:
      KillTimer(window_, kFrameTimerId);
      timerOn_ = false;
      post(SC_CLOSE);
      break;
    case ButtonEffect::kMaximize:
      showState_ = ssMaximized;
      current_ = nullptr;
      post(SC_MAXIMIZE);
      break;
    case ButtonEffect::kRestore:
      showState_ = ssNormal;
      post(SC_RESTORE);
      break;
    case ButtonEffect::kMinimize: {
      showState_ = ssMinimized;
      // The taskbar button shows the system menu again.
      const LONG style = GetWindowLongA(window_, GWL_STYLE);
      if (buttonSet_ & bsSystemMenu) SetWindowLongA(window_, GWL_STYLE, style | WS_SYSMENU);
      post(SC_MINIMIZE);
      break;
    }
    case ButtonEffect::kSystemMenu:
      ShowSystemMenu(POINT{screen.x + 1, screen.y + 1});
      break;
    case ButtonEffect::kContextHelp:
      post(SC_CONTEXTHELP);
      break;
    case ButtonEffect::kMdiMinimize:
      toMdiChild(SC_MINIMIZE);
      break;
    case ButtonEffect::kMdiRestore:
      toMdiChild(SC_RESTORE);
      break;
    case ButtonEffect::kMdiClose:
      toMdiChild(SC_CLOSE);
      break;
    case ButtonEffect::kPostAction:
      PostMessageA(window_, SKM_BUTTONACTION, button.Action(), 0);
      break;
  }
}

}  // namespace velotune::skin
