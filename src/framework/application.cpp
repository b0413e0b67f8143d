#include "framework/application.h"

#include "framework/fitted_message_box.h"
#include "framework/form.h"
#include "platform/errors.h"

namespace velotune {

TApplication& Application() {
  static TApplication application;
  return application;
}

void TApplication::HandleException(const std::exception& e) {
  if (onException) {
    onException(e);
    return;
  }
  FittedMessageBox(GetActiveWindow(), ErrorBoxText(e), title_, MB_OK | MB_ICONSTOP);
}

namespace {
unsigned KeyboardShift() {
  return (GetKeyState(VK_SHIFT) < 0 ? kShiftKey : 0) |
         (GetKeyState(VK_CONTROL) < 0 ? kCtrlKey : 0) | (GetKeyState(VK_MENU) < 0 ? kAltKey : 0);
}

TForm* FormOf(HWND window) {
  if (!window) return nullptr;
  HWND root = GetAncestor(window, GA_ROOT);
  return dynamic_cast<TForm*>(TWinControl::FromHandle(root));
}

// The keyboard is in use: the window shows the cues it hid while only the
// mouse was (focus rectangles for moving keys, accelerators for Alt).
void ShowKeyboardCues(TForm& form, WORD cues) {
  if (!form.HandleAllocated()) return;
  if ((SendMessageA(form.Handle(), WM_QUERYUISTATE, 0, 0) & cues) == 0) return;
  SendMessageA(form.Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, cues), 0);
}
}  // namespace

bool TApplication::Dispatch(MSG& msg) {
  TForm* form = FormOf(msg.hwnd);
  if (form) {
    try {
      if (msg.message == WM_SYSCHAR) {
        // Components that own Alt+key (a menu bar) see it first.
        if (form->Perform(CM_DIALOGCHAR, msg.wParam, msg.lParam)) return true;
        if (form->DialogChar(static_cast<char>(msg.wParam))) return true;
      }
      if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) &&
          form->IsShortCut(MakeShortCut(static_cast<unsigned>(msg.wParam), KeyboardShift())))
        return true;
      if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_MENU)
        ShowKeyboardCues(*form, UISF_HIDEACCEL);
      if (msg.message == WM_KEYDOWN) {
        const bool ctrl = GetKeyState(VK_CONTROL) < 0;
        switch (msg.wParam) {
          case VK_NEXT:
          case VK_PRIOR:
            // Ctrl+Page Down and Ctrl+Page Up turn pages; alone they scroll.
            if (!ctrl) break;
            [[fallthrough]];
          case VK_TAB:
          case VK_LEFT:
          case VK_RIGHT:
          case VK_UP:
          case VK_DOWN:
            ShowKeyboardCues(*form, UISF_HIDEFOCUS);
            [[fallthrough]];
          case VK_RETURN:
          case VK_ESCAPE: {
            TWinControl* focused = TWinControl::FromHandle(GetFocus());
            if (focused && focused->Perform(CM_DIALOGKEY, msg.wParam, msg.lParam)) return true;
            if (form->Perform(CM_DIALOGKEY, msg.wParam, msg.lParam)) return true;
            break;
          }
          default:
            break;
        }
      }
    } catch (const std::exception& e) {
      HandleException(e);
      return true;
    }
    if (form->HandleAllocated() && IsDialogMessageA(form->Handle(), &msg)) return true;
  }
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

bool TApplication::HandleMessage() {
  MSG msg;
  if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
    terminated_ = true;
    return false;
  }
  return Dispatch(msg);
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    Dispatch(msg);
  }
}

void TApplication::Run() {
  if (mainForm_ && !terminated_) mainForm_->Show();
  while (!terminated_ && HandleMessage()) {
  }
}

void TApplication::RunModal(TForm& form) {
  while (form.ModalResult() == mrNone) {
    MSG msg;
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: leave the quit message for the main loop.
      terminated_ = true;
      PostQuitMessage(static_cast<int>(msg.wParam));
      form.SetModalResult(mrCancel);
      break;
    }
    Dispatch(msg);
  }
}

void TApplication::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

int MessageDlgYesNo(const std::string& text) {
  int answer = FittedMessageBox(GetActiveWindow(), text, "Confirm", MB_YESNO | MB_ICONQUESTION);
  return answer == IDYES ? mrYes : mrNo;
}

}  // namespace velotune
