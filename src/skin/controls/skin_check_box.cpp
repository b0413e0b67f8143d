#include "skin/controls/skin_check_box.h"

#include <algorithm>

#include "framework/font.h"
#include "skin/controls/check_frames.h"
#include "skin/data/colour.h"
#include "skin/frame/skin_messages.h"
#include "skin/paint/gdi_objects.h"
#include "skin/paint/win32_paint.h"

namespace velotune::skin {

void TSkinCheckImage::Attached() {
  checkValue_ = 0;
  mode_ = Strip().Empty() ? wmSystemLook : wmSkinned;
  transparent_ = TransparentWanted();
}

void TSkinCheckImage::PaintBackground(HDC dc, const RECT& rect) {
  if (transparent_)
    PaintParentBehind(dc);
  else
    TSkinControl::PaintBackground(dc, rect);
}

bool TSkinCheckImage::BeforeMessage(TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  if ((message.Msg == WM_PAINT || message.Msg == WM_PRINT) && mode_ == wmSkinned) {
    PaintMessage(message, true);
    return false;
  }
  if (message.Msg == WM_ERASEBKGND && transparent_) {
    PaintParentBehind(reinterpret_cast<HDC>(message.WParam));
    message.Result = 1;
    return false;
  }
  return true;
}

void TSkinCheckImage::AfterMessage(TMessage& message) {
  switch (message.Msg) {
    case BM_SETCHECK:
      checkValue_ = static_cast<int>(message.WParam) + 1;
      Repaint();
      break;
    // The system button draws its pushed state at once on these.
    case BM_SETSTATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case kFrameworkExit:
    case kFrameworkCheckChanged:
      Repaint();
      break;
    default:
      TSkinControl::AfterMessage(message);
      break;
  }
}

void TSkinCheckImage::Paint(HDC dc, const RECT& rect) {
  const Bitmap& strip = Strip();
  if (strip.Empty()) {
    mode_ = wmSystemLook;
    return;
  }
  const int n = std::max(StripFrames(), 1);
  const int w = strip.Width() / n, h = strip.Height();
  const LONG style = GetWindowLongA(handle_, GWL_STYLE);
  const bool leftText = (style & BS_LEFTTEXT) != 0;
  const CheckPlace place =
      PlaceCheckImage({rect.left, rect.top, rect.right, rect.bottom}, w, h, leftText, Radio());
  if (mode_ == wmSkinned && !transparent_) TSkinControl::PaintBackground(dc, rect);
  skin::DrawFrameCell(
      dc, RECT{place.image.left, place.image.top, place.image.right, place.image.bottom}, strip,
      true, n, Frame(n));
  if (mode_ == wmSystemLook) return;

  std::string text;
  if (control_)
    text = control_->Caption();
  else
    text = text_;
  HFONT font = control_ ? control_->Font().Handle()
                        : reinterpret_cast<HFONT>(SendMessageA(handle_, WM_GETFONT, 0, 0));
  const bool enabled = IsWindowEnabled(handle_) != FALSE;
  COLORREF colour = GetSysColor(COLOR_BTNSHADOW);
  if (enabled)
    colour = control_ ? ColorToRGB(control_->Font().Color()) : GetSysColor(COLOR_BTNTEXT);
  const int saved = SaveDC(dc);
  if (font) SelectObject(dc, font);
  SetTextColor(dc, colour);
  SetBkMode(dc, TRANSPARENT);
  RECT area{place.text.left, place.text.top, place.text.right, place.text.bottom};
  const UINT format = DT_WORDBREAK | DT_EXPANDTABS;
  RECT measured = area;
  DrawTextA(dc, text.c_str(), -1, &measured, format | DT_CALCRECT);
  const int textHeight = measured.bottom - measured.top;
  OffsetRect(&area, 0, ((area.bottom - area.top) - textHeight) / 2);
  if (!text.empty() && FocusCueWanted()) {
    const int one = Scale().Px(1);
    DrawFocusCue(dc,
                 RECT{area.left - one, area.top, area.left + (measured.right - measured.left) + one,
                      area.top + textHeight});
  }
  DrawTextA(dc, text.c_str(), -1, &area, format);
  RestoreDC(dc, saved);
}

const Bitmap& TSkinCheckBox::Strip() const {
  return data_->Button().CheckMap;
}

int TSkinCheckBox::StripFrames() const {
  return data_->Button().CheckFrame;
}

int TSkinCheckBox::Frame(int frameCount) const {
  CheckFacts facts;
  const LRESULT state = SendMessageA(handle_, BM_GETSTATE, 0, 0);
  facts.checked = (state & BST_CHECKED) != 0;
  facts.indeterminate = (state & BST_INDETERMINATE) != 0;
  facts.disabled = (GetWindowLongA(handle_, GWL_STYLE) & WS_DISABLED) != 0;
  std::string value;
  if (ReadProperty("State", &value))
    facts.stateProperty = value;
  else if (ReadProperty("Checked", &value))
    facts.checkedProperty = value;
  facts.hasDataField = control_ && control_->HasProperty("DataField");
  facts.rememberedCheck = checkValue_;
  facts.hasDataBinding = control_ && control_->HasProperty("DataBinding");
  return CheckBoxFrame(facts, frameCount);
}

const Bitmap& TSkinRadioButton::Strip() const {
  return data_->Button().RadioMap;
}

int TSkinRadioButton::StripFrames() const {
  return data_->Button().RadioFrame;
}

int TSkinRadioButton::Frame(int frameCount) const {
  std::string value;
  const bool checked = SendMessageA(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED ||
                       (ReadProperty("Checked", &value) && value == "True");
  const bool disabled = (GetWindowLongA(handle_, GWL_STYLE) & WS_DISABLED) != 0;
  return RadioButtonFrame(checked, disabled, frameCount);
}

}  // namespace velotune::skin
