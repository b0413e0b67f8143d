#include "skin/controls/skin_group_box.h"

#include "framework/font.h"
#include "framework/window_text.h"
#include "skin/paint/gdi_objects.h"

namespace velotune::skin {

namespace {
// The rounded frame's corner, and how far the caption stands in from its side.
constexpr int kCorner = 5;
constexpr int kLabelInset = 8;
}  // namespace

bool TSkinGroupBox::BeforeMessage(TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  if (control_ && message.Msg == WM_PAINT) {
    PaintMessage(message, true);
    return false;
  }
  return true;
}

void TSkinGroupBox::Paint(HDC dc, const RECT& rect) {
  std::string caption = WindowText(handle_);
  if (caption.empty() && control_) caption = control_->Caption();
  const COLORREF face = SkinColour(ceButtonFace);
  OwnedBrush faceBrush(CreateSolidBrush(face));
  if (control_) FillRect(dc, &rect, faceBrush.Get());

  const int saved = SaveDC(dc);
  if (control_) {
    SelectObject(dc, control_->Font().Handle());
    SetTextColor(dc, ColorToRGB(control_->Font().Color()));
  } else if (HFONT font = reinterpret_cast<HFONT>(SendMessageA(handle_, WM_GETFONT, 0, 0))) {
    SelectObject(dc, font);
  }
  const DpiScale& scale = Scale();
  const int one = scale.Px(1);
  SIZE zero{};
  GetTextExtentPoint32A(dc, "0", 1, &zero);
  const int top = rect.top + zero.cy / 2;
  if (!control_) {
    // The system's own edge, covered.
    RECT cover{rect.left, top, rect.right, rect.bottom};
    FrameRect(dc, &cover, faceBrush.Get());
    InflateRect(&cover, -one, -one);
    FrameRect(dc, &cover, faceBrush.Get());
  }
  OwnedPen shadow(CreatePen(PS_SOLID, 1, SkinColour(ceButtonShadow)));
  SelectObject(dc, shadow.Get());
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  const int corner = scale.Px(kCorner);
  RoundRect(dc, rect.left + one, top, rect.right - one, rect.bottom - one, corner, corner);
  if (!caption.empty()) {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, face);
    RECT label = rect;
    UINT format = DT_SINGLELINE | DT_EXPANDTABS;
    if (GetWindowLongA(handle_, GWL_EXSTYLE) & WS_EX_RIGHT) {
      label.right -= scale.Px(kLabelInset);
      format |= DT_RIGHT;
      std::string bidi;
      if (ReadProperty("BiDiMode", &bidi) && bidi == "bdRightToLeft") format |= DT_RTLREADING;
    } else {
      label.left += scale.Px(kLabelInset);
    }
    DrawTextA(dc, caption.c_str(), -1, &label, format);
  }
  RestoreDC(dc, saved);
  if (paintChildren_) PaintGraphicChildren(dc);
}

}  // namespace velotune::skin
