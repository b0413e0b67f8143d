#include "skin/controls/skin_speed_button.h"

#include "framework/graphic_controls.h"
#include "framework/messages.h"
#include "skin/controls/button_looks.h"
#include "skin/paint/gdi_objects.h"
#include "skin/paint/win32_paint.h"

namespace velotune::skin {

void TSkinSpeedButton::AttachControl(TWinSkinForm& form, TSkinData& data, bool fillBackground,
                                     HDC canvas) {
  if (!dynamic_cast<TSpeedButton*>(control_)) return;
  TSkinControl::AttachControl(form, data, fillBackground, canvas);
  mode_ = data.Button().Map.Empty() ? wmSystemLook : wmSkinned;
}

int TSkinSpeedButton::CurrentFrame() const {
  const auto* button = static_cast<const TSpeedButton*>(control_);
  return SpeedButtonFrame(button->Down(), held_, hot_, button->Enabled(), button->flat);
}

bool TSkinSpeedButton::BeforeMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT:
      if (mode_ != wmSkinned || !message.WParam) break;
      try {
        Paint(reinterpret_cast<HDC>(message.WParam), control_->BoundsRect());
      } catch (...) {
        // A failing paint leaves what was drawn so far.
      }
      return false;
    case CM_MOUSEENTER:
      hot_ = true;
      break;
    case CM_MOUSELEAVE:
      hot_ = false;
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      held_ = true;
      break;
    case WM_LBUTTONUP:
      held_ = false;
      break;
    default:
      break;
  }
  return TSkinControl::BeforeMessage(message);
}

// The button repaints itself (through its parent) on every change it sees.
void TSkinSpeedButton::AfterMessage(TMessage&) {}

void TSkinSpeedButton::PaintWindow(HDC dc) {
  TWinControl* parent = control_ ? control_->Parent() : nullptr;
  if (!parent || !parent->HandleAllocated()) return;
  try {
    if (dc) {
      Paint(dc, control_->BoundsRect());
    } else {
      WindowDC own(parent->Handle(), false);
      if (own.Get()) Paint(own.Get(), control_->BoundsRect());
    }
  } catch (...) {
    // A failing paint leaves what was drawn so far.
  }
}

void TSkinSpeedButton::Paint(HDC dc, const RECT& rect) {
  auto* button = static_cast<TSpeedButton*>(control_);
  const TDataSkinButton& skin = data_->Button();
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (skin.Map.Empty() || width <= 0 || height <= 0) return;
  const int frame = CurrentFrame();
  if (frame != 0) {
    BlitBitmap(dc, rect.left, rect.top, PushButtonFace(skin, width, height, frame),
               skin.Trans == 1);
  }
  button->PaintContent(dc, frame == pfPressed);
}

void TSkinSpeedButton::Reapply() {
  if (control_) control_->Invalidate();
}

}  // namespace velotune::skin
