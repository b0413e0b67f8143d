#include "skin/controls/skin_box.h"

#include "framework/control.h"
#include "skin/paint/gdi_objects.h"

namespace velotune::skin {

void TSkinBox::AttachControl(TWinSkinForm& form, TSkinData& data, bool fillBackground, HDC canvas) {
  // Only windowed containers are drawn here; anything else keeps its look.
  if (control_ && !dynamic_cast<TWinControl*>(control_)) return;
  TSkinControl::AttachControl(form, data, fillBackground, canvas);
  mode_ = wmSkinned;
}

void TSkinBox::Restore() {
  TSkinControl::Restore();
  if (handle_ && state_ != wsWindowGone) InvalidateRect(handle_, nullptr, TRUE);
}

bool TSkinBox::BeforeMessage(TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  if (control_ && message.Msg == WM_PAINT) {
    PaintMessage(message, true);
    return false;
  }
  return true;
}

void TSkinBox::AfterMessage(TMessage&) {}

bool TSkinBox::Bevelled() const {
  std::string outer, inner;
  const bool hasOuter = ReadProperty("BevelOuter", &outer) && outer != "bvNone";
  const bool hasInner = ReadProperty("BevelInner", &inner) && inner != "bvNone";
  return hasOuter || hasInner;
}

void TSkinBox::Paint(HDC dc, const RECT& rect) {
  OwnedBrush face(CreateSolidBrush(SkinColour(ceButtonFace)));
  FillRect(dc, &rect, face.Get());
  if (Bevelled()) {
    OwnedBrush shadow(CreateSolidBrush(SkinColour(ceButtonShadow)));
    FrameRect(dc, &rect, shadow.Get());
  }
  if (!control_) return;
  const std::string caption = control_->Caption();
  if (!caption.empty()) {
    std::string alignment;
    ReadProperty("Alignment", &alignment);
    const UINT format = alignment == "taLeftJustify"    ? DT_LEFT
                        : alignment == "taRightJustify" ? DT_RIGHT
                                                        : DT_CENTER;
    DrawControlText(dc, *control_, caption, rect, format | DT_VCENTER | DT_SINGLELINE);
  }
  PaintGraphicChildren(dc);
}

}  // namespace velotune::skin
