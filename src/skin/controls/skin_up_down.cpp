#include "skin/controls/skin_up_down.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>

#include "skin/controls/spin_looks.h"
#include "skin/paint/gdi_objects.h"
#include "skin/paint/win32_paint.h"

namespace velotune::skin {

namespace {

Rect ToRect(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}
RECT ToRECT(const Rect& r) {
  return RECT{r.left, r.top, r.right, r.bottom};
}

}  // namespace

bool TSkinUpDown::Horizontal() const {
  return (GetWindowLongA(handle_, GWL_STYLE) & UDS_HORZ) != 0;
}

RECT TSkinUpDown::DrawingArea(const RECT& rect) const {
  if (!embedded_) return rect;
  RECT spin, edit;
  GetWindowRect(handle_, &spin);
  GetWindowRect(GetParent(handle_), &edit);
  return ToRECT(EmbeddedSpinArea(ToRect(spin), ToRect(edit)));
}

bool TSkinUpDown::BeforeMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
      PaintMessage(message, false);
      return false;
    case WM_ERASEBKGND:
      if (!control_) {
        RECT client;
        GetClientRect(handle_, &client);
        OwnedBrush back(CreateSolidBrush(WindowBackColour()));
        FillRect(reinterpret_cast<HDC>(message.WParam), &client, back.Get());
      }
      message.Result = 1;
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // The control steps its value first, as it always does.
      CallPrevious(message);
      GetWindowRect(handle_, &screenRect_);
      const RECT area = DrawingArea(LocalRect());
      pressed_ = true;
      pressedHalf_ =
          SpinHalfAt(ToRect(area), Horizontal(), static_cast<short>(LOWORD(message.LParam)),
                     static_cast<short>(HIWORD(message.LParam)));
      PaintWindow(nullptr);
      return false;
    }
    case WM_LBUTTONUP:
      pressed_ = false;
      CallPrevious(message);
      PaintWindow(nullptr);
      return false;
    default:
      return TSkinControl::BeforeMessage(message);
  }
}

void TSkinUpDown::Paint(HDC dc, const RECT& rect) {
  RECT area = rect;
  if (embedded_) {
    OwnedBrush back(CreateSolidBrush(WindowBackColour()));
    FillRect(dc, &rect, back.Get());
    area = DrawingArea(rect);
  }
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  OffscreenBuffer buffer(dc, width, height);
  const RECT local{0, 0, width, height};
  TSkinControl::PaintBackground(buffer.Dc(), local);
  const bool enabled = (GetWindowLongA(handle_, GWL_STYLE) & WS_DISABLED) == 0;
  const bool horizontal = Horizontal();
  const SpinHalves halves = SplitSpin(ToRect(local), horizontal);
  const TDataSkinBorder* spin = data_->BorderPart(horizontal ? spUpDownHorz : spUpDownVert);
  for (int half = 0; half < 2; ++half) {
    const Rect& part = half == 0 ? halves.first : halves.second;
    const int look = SpinLookOf(enabled, pressed_ && pressedHalf_ == half);
    if (!spin || spin->Map.Empty()) {
      PaintFallback(buffer.Dc(), ToRECT(part), look, (horizontal ? 2 : 0) + half);
      continue;
    }
    const int frames = std::max(spin->Frame, 1);
    const int frame = SpinStripFrame(look, half);
    DrawFrameCell(buffer.Dc(), ToRECT(part), spin->Map, true, frames, frame);
    if (!spin->Map2.Empty()) {
      const Rect cell = CentredCell(part, spin->Map2.Width() / frames, spin->Map2.Height());
      DrawFrameCell(buffer.Dc(), ToRECT(cell), spin->Map2, true, frames, frame);
    }
  }
  buffer.CopyTo(dc, area.left, area.top);
}

// direction: 0 up, 1 down, 2 left, 3 right.
void TSkinUpDown::PaintFallback(HDC dc, const RECT& half, int look, int direction) {
  OwnedBrush fill(CreateSolidBrush(SkinColour(look == slPressed ? ceButtonShadow : ceButtonFace)));
  OwnedPen outline(CreatePen(PS_SOLID, 1, SkinColour(ceButtonDkShadow)));
  OwnedPen arrow(CreatePen(
      PS_SOLID, 1, look == slDisabled ? SkinColour(ceButtonShadow) : SkinColour(ceButtonText)));
  const int saved = SaveDC(dc);
  SelectObject(dc, outline.Get());
  SelectObject(dc, fill.Get());
  Rectangle(dc, half.left, half.top, half.right, half.bottom);
  SelectObject(dc, arrow.Get());
  const int cx = (half.left + half.right) / 2;
  const int cy = (half.top + half.bottom) / 2 - (direction < 2 ? 2 : 0);
  // Three lines of 1, 3 and 5 pixels, the point first for up and left.
  for (int i = 0; i < 3; ++i) {
    const int step = direction == 0 || direction == 2 ? i : 2 - i;
    if (direction < 2) {
      MoveToEx(dc, cx - step, cy + i, nullptr);
      LineTo(dc, cx + step + 1, cy + i);
    } else {
      MoveToEx(dc, cx - 1 + i, cy - step, nullptr);
      LineTo(dc, cx - 1 + i, cy + step + 1);
    }
  }
  RestoreDC(dc, saved);
}

}  // namespace velotune::skin
