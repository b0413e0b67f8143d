#include "skin/frame/caption_button_row.h"

#include "skin/frame/caption_hint.h"
#include "skin/frame/caption_painter.h"
#include "skin/frame/frame_helpers.h"
#include "skin/frame/skin_messages.h"
#include "skin/frame/win_skin_form.h"
#include "skin/paint/win32_paint.h"

namespace velotune::skin {

namespace {

// How far below the cursor a button's hint shows.
constexpr int kHintBelowCursor = 24;

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

}  // namespace

CaptionButtonRow::CaptionButtonRow(TWinSkinForm& form, CaptionPainter& painter)
    : form_(form), painter_(painter) {}

CaptionButtonRow::~CaptionButtonRow() = default;

void CaptionButtonRow::Rebuild(const TSkinData& data) {
  current_ = nullptr;
  buttons_.clear();
  LoadWindowIcon();
  for (const auto& button : data.CaptionButtons()) {
    auto made = std::make_unique<TWinSysButton>(form_, *button, painter_);
    made->Enabled = true;
    if (made->IsIcon()) made->SetIconImage(&windowIcon_);
    buttons_.push_back(std::move(made));
  }
}

void CaptionButtonRow::LoadWindowIcon() {
  windowIcon_ = IconBitmap(WindowIcon(form_.Handle()));
}

bool CaptionButtonRow::IsCaptionButton(const TNCObject* object) const {
  for (const auto& button : buttons_)
    if (button.get() == object) return true;
  return false;
}

TNCObject* CaptionButtonRow::ObjectAt(POINT p) const {
  for (const auto& button : buttons_)
    if (button->Visible && button->Action() >= 0 && button->Contains(p.x, p.y)) return button.get();
  return form_.MenuBar() ? form_.MenuBar()->ItemAt(p) : nullptr;
}

TNCObject* CaptionButtonRow::ObjectAtScreen(LPARAM screenPoint) const {
  RECT r;
  GetWindowRect(form_.Handle(), &r);
  return ObjectAt(POINT{PointX(screenPoint) - r.left, PointY(screenPoint) - r.top});
}

bool CaptionButtonRow::Alive(const TNCObject* object) const {
  return IsCaptionButton(object) || (form_.MenuBar() && form_.MenuBar()->Owns(object));
}

void CaptionButtonRow::Activate(bool active) {
  if (active && !timerOn_) {
    timerOn_ = SetTimer(form_.Handle(), kFrameTimerId, kFrameTimerMs, nullptr) != 0;
  } else if (!active && timerOn_) {
    StopTimer();
    HideHint();
  }
}

void CaptionButtonRow::StopTimer() {
  if (IsWindow(form_.Handle())) KillTimer(form_.Handle(), kFrameTimerId);
  timerOn_ = false;
}

void CaptionButtonRow::HideHint() {
  hoverMs_ = 0;
  if (hint_) hint_->Hide();
}

void CaptionButtonRow::DropHint() {
  hint_.reset();
}

void CaptionButtonRow::OnTimer() {
  SkinMenuBar* bar = form_.MenuBar();
  if (form_.SystemMenuOpen() || (bar && bar->PopupOpen()) || !current_) return;
  if (!Alive(current_)) {
    current_ = nullptr;
    return;
  }
  POINT cursor;
  GetCursorPos(&cursor);
  RECT r;
  GetWindowRect(form_.Handle(), &r);
  if (!current_->Contains(cursor.x - r.left, cursor.y - r.top)) {
    current_->MouseLeave();
    return;
  }
  if (!IsCaptionButton(current_)) return;  // menu-bar items have no hint
  auto* button = static_cast<TWinSysButton*>(current_);
  hoverMs_ += kFrameTimerMs;
  if (!InSet(form_.Data()->Options, xoCaptionButtonHint)) return;
  if (HintShown(hoverMs_, kHintPauseMs, kHintHidePauseMs)) {
    if (!hint_) hint_ = std::make_unique<CaptionHint>(form_.Handle());
    hint_->Show(HintTextFor(button->Action(), form_.Show() == ssMaximized),
                button->Bounds.left + r.left, cursor.y + form_.Scale().Px(kHintBelowCursor));
  } else if (hint_) {
    hint_->Hide();
  }
}

void CaptionButtonRow::PostClose(UINT msg, WPARAM command) {
  StopTimer();
  PostMessageA(form_.Handle(), msg, command, 0);
}

bool CaptionButtonRow::MouseMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const HWND window = form_.Handle();
  SkinMenuBar* bar = form_.MenuBar();
  switch (msg) {
    case WM_NCMOUSEMOVE: {
      *result = 0;
      if (!form_.Active()) return true;
      if (TNCObject* object = ObjectAtScreen(lParam)) {
        object->MouseEnter();
        return true;
      }
      if (current_) current_->MouseLeave();
      *result = form_.Default(msg, wParam, lParam);
      return true;
    }
    case WM_NCLBUTTONDOWN: {
      HideHint();
      if (TNCObject* object = ObjectAtScreen(lParam)) {
        if (!form_.Active()) SetForegroundWindow(window);
        object->MouseDown();
        *result = 0;
        if (bar && bar->Owns(object)) bar->Open(*object);  // the window may be gone now
        return true;
      }
      // A maximized window is not dragged by its caption.
      if (form_.Show() == ssMaximized && form_.Active() && wParam == HTCAPTION) wParam = HTMENU;
      *result = form_.Default(msg, wParam, lParam);
      return true;
    }
    case WM_NCLBUTTONUP: {
      HideHint();
      TNCObject* object = ObjectAtScreen(lParam);
      if (!object) return false;
      if (object == current_ && object->State == ncPressed) {
        object->MouseUp();
        POINT screen{PointX(lParam), PointY(lParam)};
        for (const auto& button : buttons_)
          if (button.get() == object) RunAction(*button, screen);
      }
      *result = 0;
      return true;
    }
    case WM_NCLBUTTONDBLCLK: {
      TNCObject* object = ObjectAtScreen(lParam);
      for (const auto& button : buttons_) {
        if (button.get() == object && button->IsIcon()) {
          PostClose(WM_SYSCOMMAND, SC_CLOSE);
          *result = 0;
          return true;
        }
      }
      if (object) {
        *result = 0;
        return true;
      }
      if (form_.Show() != ssNormal) {
        PostMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
      } else if (form_.Buttons() & bsMaximizeBox) {
        PostMessageA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
      } else {
        *result = form_.Default(msg, wParam, lParam);
        return true;
      }
      *result = 0;
      return true;
    }
    default:
      return false;
  }
}

void CaptionButtonRow::RunAction(TWinSysButton& button, POINT screen) {
  const HWND window = form_.Handle();
  ActionInput in;
  in.action = button.Action();
  in.enabled = button.Enabled;
  in.maximized = form_.Show() == ssMaximized;
  in.minimized = form_.Show() == ssMinimized;
  in.hasCloseItem = form_.WindowHasCloseItem();
  auto post = [window](UINT command) { PostMessageA(window, WM_SYSCOMMAND, command, 0); };
  auto toMdiChild = [this](UINT command) {
    if (HWND client = form_.Host().MdiClientWindow())
      if (auto child = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)))
        SendMessageA(child, WM_SYSCOMMAND, command, 0);
  };
  switch (RunButtonActionChoice(in)) {
    case ButtonEffect::kNone:
      break;
    case ButtonEffect::kPostClose:
      PostClose(WM_SYSCOMMAND, SC_CLOSE);
      break;
    case ButtonEffect::kMaximize:
      form_.SetShow(ssMaximized);
      current_ = nullptr;
      post(SC_MAXIMIZE);
      break;
    case ButtonEffect::kRestore:
      form_.SetShow(ssNormal);
      post(SC_RESTORE);
      break;
    case ButtonEffect::kMinimize: {
      form_.SetShow(ssMinimized);
      // The taskbar button shows the system menu again.
      const LONG style = GetWindowLongA(window, GWL_STYLE);
      if (form_.Buttons() & bsSystemMenu) SetWindowLongA(window, GWL_STYLE, style | WS_SYSMENU);
      post(SC_MINIMIZE);
      break;
    }
    case ButtonEffect::kSystemMenu:
      form_.ShowSystemMenu(POINT{screen.x + 1, screen.y + 1});
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
      PostMessageA(window, SKM_BUTTONACTION, button.Action(), 0);
      break;
  }
}

}  // namespace velotune::skin
