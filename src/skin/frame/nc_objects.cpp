#include "skin/frame/nc_objects.h"

#include "skin/frame/caption_painter.h"
#include "skin/frame/skinned_frame.h"

namespace velotune::skin {

void TNCObject::MouseDown() {
  if (form_.Current() && form_.Current() != this) form_.Current()->MouseLeave();
  if (!Visible) return;
  form_.SetCurrent(this);
  State = ncPressed;
  Paint();
}

void TNCObject::MouseUp() {
  if (!Visible) return;
  State = ncHover;
  Paint();
}

void TNCObject::MouseEnter() {
  if (form_.Current() == this) return;
  if (form_.Current()) form_.Current()->MouseLeave();
  if (!Visible) return;
  form_.SetCurrent(this);
  State = ncHover;
  Paint();
}

void TNCObject::MouseLeave() {
  if (!Visible) return;
  form_.SetCurrent(nullptr);
  State = ncNormal;
  Paint();
  form_.HideHint();
}

TWinSysButton::TWinSysButton(SkinnedFrame& form, const TDataSkinSysButton& data,
                             CaptionPainter& painter)
    : TNCObject(form, &data), button_(data), painter_(painter) {}

const Bitmap& TWinSysButton::Image() const {
  if (IsIcon() && button_.Map.Empty() && icon_) return *icon_;
  return button_.Map;
}

int TWinSysButton::Frames() const {
  if (IsIcon()) return 1;
  return button_.Frame > 0 ? button_.Frame : 1;
}

void TWinSysButton::Paint() {
  painter_.PaintButton(*this);
}

}  // namespace velotune::skin
