#include "skin/controls/skin_edit.h"

#include <cctype>
#include <string>

#include "platform/text_case.h"
#include "skin/controls/skin_up_down.h"
#include "skin/controls/spin_looks.h"
#include "skin/frame/skin_messages.h"
#include "skin/paint/gdi_objects.h"

namespace velotune::skin {

namespace {

bool IsSpinClass(HWND window) {
  char buffer[256] = {};
  GetClassNameA(window, buffer, sizeof(buffer));
  const std::string name = LowerText(buffer);
  return name == "msctls_updown32" || name.find("spin") != std::string::npos ||
         name.find("updown") != std::string::npos;
}

// A frame `thickness` pixels wide just inside rect.
void FrameRing(HDC dc, RECT rect, COLORREF colour, int thickness) {
  OwnedBrush brush(CreateSolidBrush(colour));
  for (int i = 0; i < thickness; ++i, InflateRect(&rect, -1, -1)) FrameRect(dc, &rect, brush.Get());
}

}  // namespace

bool TSkinEdit::BeforeMessage(TMessage& message) {
  if (message.Msg != WM_PRINT || !(message.LParam & PRF_NONCLIENT))
    return TSkinControl::BeforeMessage(message);
  // The system's printing leaves the DC moved and clipped to the client
  // area: the frame goes over the print in the DC's state as it came.
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  const int saved = dc ? SaveDC(dc) : 0;
  CallPrevious(message);
  if (dc) RestoreDC(dc, saved);
  try {
    if (dc) {
      PaintPrintFrame(dc);
    } else {
      WindowDC own(handle_, true);
      if (own.Get()) PaintPrintFrame(own.Get());
    }
  } catch (...) {
    // A failing paint leaves what was drawn so far.
  }
  return false;
}

void TSkinEdit::AfterMessage(TMessage& message) {
  switch (message.Msg) {
    // The frame goes over the client area's edge, and the system draws its
    // own edge again whenever the frame is repainted.
    case WM_PAINT:
    case WM_NCPAINT:
      PaintWindow(nullptr);
      break;
    default:
      if (message.Msg == SKM_PAINTCLIENTDC && message.LParam == kSkinMagic) {
        if (message.WParam) {
          TMessage paint{WM_PAINT, message.WParam, 0, 0};
          CallPrevious(paint);
        }
        message.Result = kSkinMagic;
        break;
      }
      TSkinControl::AfterMessage(message);
      break;
  }
}

void TSkinEdit::PaintWindow(HDC dc) {
  if (dc) {
    TSkinControl::PaintWindow(dc);
    return;
  }
  if (!handle_) return;
  GetWindowRect(handle_, &screenRect_);
  try {
    WindowDC own(handle_, true);
    if (own.Get()) Paint(own.Get(), LocalRect());
  } catch (...) {
    // A failing paint leaves what was drawn so far.
  }
}

void TSkinEdit::FindSpin() {
  if (spin_ || !InSet(data_->SkinControls, xcSpin)) return;
  for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsSpinClass(child)) continue;
    // Owned by this wrapper, so that it goes with it.
    spin_ = new TSkinUpDown(this);
    FreeNotification(spin_);
    spin_->SetEmbedded();
    if (!spin_->AttachWindow(child, *data_, *form_, canvas_)) delete spin_;
    return;
  }
}

void TSkinEdit::Notification(TComponent* freed) {
  TSkinControl::Notification(freed);
  if (freed == spin_) spin_ = nullptr;
}

void TSkinEdit::Paint(HDC dc, const RECT& rect) {
  FindSpin();
  RECT client;
  GetClientRect(handle_, &client);
  if (!EditHasBorder(client.right, client.bottom, rect.right - rect.left, rect.bottom - rect.top))
    return;
  const int one = Scale().Px(1);
  RECT ring = rect;
  // The outer line marks the focused edit in the skin's highlight.
  FrameRing(dc, ring, SkinColour(FocusCueWanted() ? ceHilight : ceButtonShadow), one);
  for (int i = 0; i < 2; ++i) {
    InflateRect(&ring, -one, -one);
    FrameRing(dc, ring, WindowBackColour(), one);
  }
}

void TSkinEdit::PaintPrintFrame(HDC dc) {
  RECT window, client;
  GetWindowRect(handle_, &window);
  GetClientRect(handle_, &client);
  const int width = window.right - window.left, height = window.bottom - window.top;
  const int one = Scale().Px(1);
  if (width - client.right <= 2 * one || height - client.bottom <= 2 * one) return;
  RECT ring{0, 0, width, height};
  InflateRect(&ring, -one, -one);
  for (int i = 0; i < one; ++i, InflateRect(&ring, -1, -1))
    FrameRect(dc, &ring, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
  FrameRing(dc, RECT{0, 0, width, height}, SkinColour(ceButtonShadow), one);
}

}  // namespace velotune::skin
