#include "skin/frame/caption_button_row.h"

#include <algorithm>

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

// The icon drawn at size x size over a plain colour; its pixels are read
// once the bitmap is out of the device context.
bool IconOver(HICON icon, int size, Pixel background, std::vector<Pixel>* pixels) {
  Bitmap plain(size, size, 24, background);
  OwnedBitmap dib = MakeDib(plain);
  HDC memory = CreateCompatibleDC(nullptr);
  if (!dib || !memory) {
    if (memory) DeleteDC(memory);
    return false;
  }
  {
    SelectedObject selected(memory, dib.Get());
    DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
  }
  BITMAPINFO info = DibInfo32(size, size);
  pixels->assign(static_cast<size_t>(size) * size, 0);
  const bool read =
      GetDIBits(memory, dib.Get(), 0, size, pixels->data(), &info, DIB_RGB_COLORS) != 0;
  DeleteDC(memory);
  return read;
}

// An icon at the small-icon size as a portable bitmap, magenta where it is
// transparent. Drawn over black and over white, each pixel shows how opaque
// it is; a pixel at least half opaque keeps its own colour (not blended
// with anything), the others are transparent, so no edge turns pink.
Bitmap IconBitmap(HICON icon) {
  const int size = GetSystemMetrics(SM_CXSMICON);
  Bitmap out(size, size, 24, kMagentaPixel);
  std::vector<Pixel> black, white;
  if (!icon || !IconOver(icon, size, MakePixel(0, 0, 0), &black) ||
      !IconOver(icon, size, MakePixel(255, 255, 255), &white))
    return out;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const Pixel b = black[y * size + x], w = white[y * size + x];
      const int alpha = 255 - (PixelGreen(w) - PixelGreen(b));
      if (alpha < 128) continue;
      const auto own = [alpha](int channel) { return std::min(255, channel * 255 / alpha); };
      out.Set(x, y, MakePixel(own(PixelRed(b)), own(PixelGreen(b)), own(PixelBlue(b))));
    }
  }
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

int CaptionButtonRow::HitCodeAtScreen(LPARAM screenPoint) const {
  TNCObject* object = ObjectAtScreen(screenPoint);
  if (!IsCaptionButton(object)) return 0;
  return CodesOfCaptionAction(static_cast<TWinSysButton*>(object)->Action()).hitCode;
}

void CaptionButtonRow::FillTitleBarInfo(TITLEBARINFOEX& info) const {
  RECT window;
  GetWindowRect(form_.Handle(), &window);
  const FrameSizes frame = form_.Frame();
  info.rcTitleBar = RECT{window.left + frame.left, window.top, window.right - frame.right,
                         window.top + frame.top};
  for (DWORD& state : info.rgstate) state = STATE_SYSTEM_INVISIBLE;
  for (RECT& r : info.rgrect) r = RECT{0, 0, 0, 0};
  info.rgstate[0] = STATE_SYSTEM_FOCUSABLE;
  for (const auto& button : buttons_) {
    if (!button->Visible || button->Bounds.Width() <= 0) continue;
    const int element = CodesOfCaptionAction(button->Action()).titleBarElement;
    if (element <= 0 || element > CCHILDREN_TITLEBAR) continue;
    DWORD state = 0;
    if (!button->Enabled) state |= STATE_SYSTEM_UNAVAILABLE;
    if (button->State == ncPressed) state |= STATE_SYSTEM_PRESSED;
    if (button->State == ncHover) state |= STATE_SYSTEM_HOTTRACKED;
    info.rgstate[element] = state;
    const Rect& b = button->Bounds;
    info.rgrect[element] = RECT{window.left + b.left, window.top + b.top, window.left + b.right,
                                window.top + b.bottom};
  }
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
      *result = 0;
      if (object == current_ && object->State == ncPressed) {
        object->MouseUp();
        // Found first: the action may run a menu loop, after which the row
        // may hold other buttons (or be gone), and nothing here is used again.
        TWinSysButton* pressed = nullptr;
        for (const auto& button : buttons_)
          if (button.get() == object) pressed = button.get();
        if (pressed) RunAction(*pressed, POINT{PointX(lParam), PointY(lParam)});
      }
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
