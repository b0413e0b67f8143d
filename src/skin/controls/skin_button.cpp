#include "skin/controls/skin_button.h"

#include <cctype>

#include "framework/font.h"
#include "framework/messages.h"
#include "framework/window_text.h"
#include "platform/text_case.h"
#include "skin/controls/button_looks.h"
#include "skin/frame/skin_messages.h"
#include "skin/paint/gdi_objects.h"
#include "skin/paint/win32_paint.h"

namespace velotune::skin {

namespace {

std::string LowerClassName(HWND window, const TControl* control) {
  std::string name;
  if (control) {
    name = control->ClassName();
  } else {
    char buffer[256] = {};
    GetClassNameA(window, buffer, sizeof(buffer));
    name = buffer;
  }
  return LowerText(name);
}

}  // namespace

void TSkinButton::Attached() {
  mode_ = data_ && !Art().Button().Map.Empty() ? wmSkinned : wmSystemLook;
  const std::string lower = LowerClassName(handle_, control_);
  noMouseForwarding_ = lower.rfind("trz", 0) == 0 || lower.rfind("tel", 0) == 0;
  transparent_ = TransparentWanted();
}

bool TSkinButton::IsDefault() const {
  std::string value;
  if (ReadProperty("Default", &value)) {
    return SameText(value, "true");
  }
  // A dialog marks its default button by style.
  return !control_ && (GetWindowLongA(handle_, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

std::string TSkinButton::CaptionText() const {
  if (control_) return control_->Caption();
  return WindowText(handle_);
}

int TSkinButton::CurrentFrame() const {
  const bool enabled = (GetWindowLongA(handle_, GWL_STYLE) & WS_DISABLED) == 0;
  const bool focused = CurrentFocus() == handle_;
  return PushButtonFrame(pressed_, hover_, focused || IsDefault(), enabled);
}

bool TSkinButton::BeforeMessage(TMessage& message) {
  // Without a push-button strip the button draws and clicks itself.
  if (mode_ != wmSkinned) return TSkinControl::BeforeMessage(message);
  switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
      PaintMessage(message, false);
      return false;
    case WM_PRINT:
      if (message.WParam) PaintMessage(message, false);
      return false;
    case WM_ERASEBKGND:
      message.Result = 1;
      return false;
    case WM_TIMER:
      KillTimer(handle_, 1);
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      PressWithMouse(message);
      return false;
    case CN_DRAWITEM: {
      // An owner-drawn button (one with its own text colour) asks its
      // parent to draw it on focus and state changes: the skin draws it.
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
      GetWindowRect(handle_, &screenRect_);
      try {
        Paint(item->hDC, item->rcItem);
      } catch (...) {
        // A failing paint leaves what was drawn so far.
      }
      message.Result = TRUE;
      return false;
    }
    default:
      return TSkinControl::BeforeMessage(message);
  }
}

void TSkinButton::PressWithMouse(const TMessage& message) {
  if (GetFocus() != handle_) SetFocus(handle_);
  pressed_ = true;
  PaintWindow(nullptr);
  if (!control_ || noMouseForwarding_) return;
  TEventArgs args;
  args.Sender = control_;
  args.X = static_cast<short>(LOWORD(message.LParam));
  args.Y = static_cast<short>(HIWORD(message.LParam));
  if (control_->Width() > 32768 || control_->Height() > 32768) {
    POINT at;
    GetCursorPos(&at);
    ScreenToClient(handle_, &at);
    args.X = at.x;
    args.Y = at.y;
  }
  if (message.WParam & MK_SHIFT) args.Shift |= kShiftKey;
  if (message.WParam & MK_CONTROL) args.Shift |= kCtrlKey;
  control_->Fire("OnMouseDown", args);
}

void TSkinButton::ClickOnRelease() {
  if (control_) {
    control_->Click();
    return;
  }
  const int id = LowerClassName(handle_, nullptr) == "tbutton" ? 0 : GetDlgCtrlID(handle_);
  PostMessageA(GetParent(handle_), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(handle_));
}

void TSkinButton::AfterMessage(TMessage& message) {
  if (mode_ != wmSkinned) {
    TSkinControl::AfterMessage(message);
    return;
  }
  switch (message.Msg) {
    case WM_SETTEXT:
      PaintWindow(nullptr);
      break;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (message.WParam == VK_SPACE) {
        pressed_ = message.Msg == WM_KEYDOWN;
        Repaint();
      }
      break;
    case WM_MOUSEMOVE: {
      if (!hover_ && IsWindowEnabled(handle_)) {
        hover_ = true;
        Repaint();
      }
      TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, handle_, 0};
      TrackMouseEvent(&track);
      break;
    }
    case WM_LBUTTONUP:
      if (pressed_) {
        pressed_ = false;
        Repaint();
        // Last: the click may close the button's window.
        ClickOnRelease();
      }
      break;
    case WM_MOUSELEAVE:
      hover_ = false;
      pressed_ = false;
      Repaint();
      break;
    // The system button draws its own look at once on these.
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case WM_UPDATEUISTATE:
    case CM_DIALOGKEY:
    case CM_FOCUSCHANGED:
      Repaint();
      break;
    default:
      TSkinControl::AfterMessage(message);
      break;
  }
}

void TSkinButton::Paint(HDC dc, const RECT& rect) {
  const TDataSkinButton& skin = Art().Button();
  if (skin.Map.Empty()) return;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  const bool focused = FocusCueWanted();
  const int frame = CurrentFrame();
  OffscreenBuffer buffer(dc, width, height);
  const RECT local{0, 0, width, height};
  if (transparent_)
    PaintParentBehind(buffer.Dc());
  else
    TSkinControl::PaintBackground(buffer.Dc(), local);
  BlitBitmap(buffer.Dc(), 0, 0, PushButtonFace(skin, width, height, frame), skin.Trans == 1);
  DrawCaption(buffer.Dc(), local, frame, focused);
  buffer.CopyTo(dc, rect.left, rect.top);
}

void TSkinButton::DrawCaption(HDC dc, const RECT& rect, int frame, bool focused) {
  const std::string caption = CaptionText();
  lastCaption_ = caption;
  const std::string text = BreakCaption(caption);
  HFONT font = control_ ? control_->Font().Handle()
                        : reinterpret_cast<HFONT>(SendMessageA(handle_, WM_GETFONT, 0, 0));
  const COLORREF own = control_ ? ColorToRGB(control_->Font().Color()) : SkinColour(ceButtonText);
  const bool enabled = (GetWindowLongA(handle_, GWL_STYLE) & WS_DISABLED) == 0;
  const COLORREF colour = ResolveColour(
      PushButtonTextColour(own, Art().Button(), frame, enabled, GetSysColor(COLOR_BTNSHADOW)));
  std::string bidi;
  const UINT rtl = ReadProperty("BiDiMode", &bidi) && bidi == "bdRightToLeft" ? DT_RTLREADING : 0;

  const int saved = SaveDC(dc);
  if (font) SelectObject(dc, font);
  SetTextColor(dc, colour);
  SetBkMode(dc, TRANSPARENT);
  const int inset = Scale().Px(2);
  RECT measured{rect.left + inset, rect.top + inset, rect.right - inset, rect.bottom - inset};
  DrawTextA(dc, text.c_str(), -1, &measured,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP | DT_CENTER | rtl);
  const Rect block = CentreBlock({rect.left, rect.top, rect.right, rect.bottom},
                                 measured.right - measured.left, measured.bottom - measured.top);
  RECT target{block.left, block.top, block.right, block.bottom};
  DrawTextA(dc, text.c_str(), -1, &target, DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS | rtl);
  SetBkMode(dc, OPAQUE);
  if (focused && !InSet(data_->Options, xoNoFocusRect)) {
    const int two = Scale().Px(2);
    InflateRect(&target, two, two);
    DrawFocusCue(dc, target);
  }
  RestoreDC(dc, saved);
}

}  // namespace velotune::skin
