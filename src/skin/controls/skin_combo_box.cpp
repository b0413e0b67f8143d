#include "skin/controls/skin_combo_box.h"

#include "framework/messages.h"
#include "skin/controls/combo_layout.h"
#include "skin/controls/spin_looks.h"
#include "skin/data/colour.h"
#include "skin/paint/gdi_objects.h"
#include "skin/paint/win32_paint.h"

namespace velotune::skin {

namespace {

constexpr LONG kDropDownBit = 0x2;  // CBS_DROPDOWN and CBS_DROPDOWNLIST
constexpr DWORD kButtonInvisible = 0x8000;

RECT ToRECT(const Rect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

bool IsSimple(LONG style) {
  return (style & 3) == CBS_SIMPLE;
}

void FrameIn(HDC dc, const RECT& r, COLORREF colour) {
  OwnedBrush brush(CreateSolidBrush(colour));
  FrameRect(dc, &r, brush.Get());
}

}  // namespace

TSkinComBox::~TSkinComBox() {
  editSubclass_.Remove();
}

void TSkinComBox::Attached() {
  style_ = GetWindowLongA(handle_, GWL_STYLE);
  exStyle_ = GetWindowLongA(handle_, GWL_EXSTYLE);
  // The list's scroll bars keep the system look, and so does the list of a
  // simple combo box: neither gets a wrapper.
  if (IsSimple(style_)) return;
  if (!unicode_) SubclassEdit();
}

void TSkinComBox::SubclassEdit() {
  HWND child = GetWindow(handle_, GW_CHILD);
  if (!child || editSubclass_.Installed()) return;
  if (editSubclass_.Install(child, this, &TSkinComBox::EditRoute)) edit_ = child;
}

LRESULT TSkinComBox::EditRoute(void* owner, HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<TSkinComBox*>(owner);
  const LRESULT result = self->editSubclass_.CallOld(window, msg, wParam, lParam);
  if (!self->active_) return result;
  switch (msg) {
    case WM_PAINT:
      self->PaintWindow(nullptr);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      self->SetPressed(true);
      break;
    case WM_LBUTTONUP:
      self->SetPressed(false);
      break;
    // The focused look belongs to the combo box around the edit.
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      self->Repaint();
      break;
    case WM_NCDESTROY:
      self->editSubclass_.Remove();
      self->edit_ = nullptr;
      break;
    default:
      break;
  }
  return result;
}

void TSkinComBox::SetPressed(bool pressed) {
  pressed_ = pressed;
  Repaint();
}

void TSkinComBox::Restore() {
  TSkinControl::Restore();
  editSubclass_.Remove();
  edit_ = nullptr;
}

bool TSkinComBox::BeforeMessage(TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  if (message.Msg == WM_PAINT && !message.WParam) {
    // The system's drawing and the skin's go together off screen first.
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle_, &ps);
    PaintComposed(dc);
    EndPaint(handle_, &ps);
    message.Result = 0;
    return false;
  }
  if ((message.Msg == WM_PAINT && message.WParam) || message.Msg == WM_PRINTCLIENT) {
    CallPrevious(message);
    PaintWindow(reinterpret_cast<HDC>(message.WParam));
    return false;
  }
  return true;
}

void TSkinComBox::PaintComposed(HDC dc) {
  GetWindowRect(handle_, &screenRect_);
  const RECT rect = LocalRect();
  OffscreenBuffer buffer(dc, rect.right, rect.bottom);
  TSkinControl::PaintBackground(buffer.Dc(), rect);
  TMessage own{WM_PAINT, reinterpret_cast<WPARAM>(buffer.Dc()), 0, 0};
  CallPrevious(own);
  try {
    Paint(buffer.Dc(), rect);
  } catch (...) {
    // What the system drew stays.
  }
  // The combo box does not clip its children: the edit keeps its own pixels.
  const int saved = SaveDC(dc);
  for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&r), 2);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
  buffer.CopyTo(dc, 0, 0);
  RestoreDC(dc, saved);
}

void TSkinComBox::AfterMessage(TMessage& message) {
  const bool enabled = IsWindowEnabled(handle_) != FALSE;
  switch (message.Msg) {
    case WM_MOUSEMOVE: {
      const POINT p{static_cast<short>(LOWORD(message.LParam)),
                    static_cast<short>(HIWORD(message.LParam))};
      const bool over = PtInRect(&button_, p) != FALSE;
      if (hover_ && (!over || !enabled)) {
        hover_ = false;
        Repaint();
      } else if (!hover_ && over && enabled) {
        hover_ = true;
        if (!control_) {
          TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, handle_, 0};
          TrackMouseEvent(&track);
        }
        Repaint();
      }
      break;
    }
    case WM_DRAWITEM:
    case WM_NCPAINT:
      Repaint();
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetPressed(true);
      break;
    case WM_LBUTTONUP:
      SetPressed(false);
      break;
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
      if (hover_) {
        hover_ = false;
        Repaint();
      }
      break;
    case CN_COMMAND:
      if (HIWORD(message.WParam) == CBN_DROPDOWN) dropped_ = true;
      if (HIWORD(message.WParam) == CBN_CLOSEUP) dropped_ = false;
      break;
    default:
      TSkinControl::AfterMessage(message);
      break;
  }
}

void TSkinComBox::Paint(HDC dc, const RECT& rect) {
  const TDataSkinObject* combo = data_->Part(spComboButton);
  if (!combo || combo->Map.Empty()) return;
  style_ = GetWindowLongA(handle_, GWL_STYLE);
  exStyle_ = GetWindowLongA(handle_, GWL_EXSTYLE);
  COMBOBOXINFO info = {};
  info.cbSize = sizeof(info);
  if (GetComboBoxInfo(handle_, &info)) {
    button_ = info.rcButton;
    if (info.stateButton & kButtonInvisible) return;
  }
  const bool disabled = (style_ & WS_DISABLED) != 0;
  const HWND focus = GetFocus();
  const bool focused = focus && (focus == handle_ || (edit_ && focus == edit_));
  const int look = ComboLook(pressed_, focused || hover_, disabled);
  const bool leftButton = (exStyle_ & WS_EX_LEFTSCROLLBAR) != 0;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  const bool roomMade = leftButton && MakeRoomAtTheLeft(dc, width, height);
  if (combo->Style == 1)
    PaintFlat(dc, width, height, look, leftButton, !roomMade);
  else if (extended_)
    PaintExtended(dc, width, height, look);
  else if (combo->Style == 2)
    PaintNineGrid(dc, rect, look, leftButton);
  else
    PaintSunk(dc, width, height, look, leftButton);
}

bool TSkinComBox::MakeRoomAtTheLeft(HDC dc, int width, int height) {
  // A system that keeps its button at the right for a left-hand combo box
  // draws the text from the left edge, where the skin's button goes: the
  // text moves right over the system's button. A drop-down combo box's edit
  // is a window of its own and stays where the system put it.
  const RECT& system = button_;
  if (GetWindow(handle_, GW_CHILD) || IsRectEmpty(&system) || system.left < width / 2) return false;
  const int shift = system.right - system.left, two = Scale().Px(2);
  BitBlt(dc, two + shift, two, system.left - two, height - 2 * two, dc, two, two, SRCCOPY);
  return true;
}

void TSkinComBox::PaintFlat(HDC dc, int width, int height, int look, bool leftButton,
                            bool coverSystemButton) {
  const auto* combo = static_cast<const TDataSkinBorder*>(data_->Part(spComboButton));
  const int frames = combo->Frame > 0 ? combo->Frame : 4;
  // The brush the system paints the combo box's background with.
  const bool disabled = (style_ & WS_DISABLED) != 0;
  HBRUSH brush = reinterpret_cast<HBRUSH>(
      SendMessageA(GetParent(handle_), disabled ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                   reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(handle_)));
  if (!brush) brush = GetSysColorBrush(COLOR_WINDOW);
  const FlatComboParts parts = FlatComboLayout(
      width, height, leftButton, GetSystemMetrics(SM_CYVTHUMB),
      Scale().Art(combo->Map.Width() / frames), Scale().Art(combo->Map.Height()), Scale());
  const RECT inner = ToRECT(parts.brushFrame), column = ToRECT(parts.column);
  FrameRect(dc, &inner, brush);
  FillRect(dc, &column, brush);
  // A system that keeps its own button at the other side gets it covered too.
  RECT system = button_;
  RECT overlap;
  if (coverSystemButton && !IsRectEmpty(&system) && !IntersectRect(&overlap, &system, &column))
    FillRect(dc, &system, brush);
  FrameIn(dc, RECT{0, 0, width, height}, SkinColour(ceButtonShadow));
  button_ = ToRECT(parts.button);
  // A left-hand button shows the strip's mirror image, its edge towards the text.
  const Bitmap& strip = leftButton && !combo->Map2.Empty() ? combo->Map2 : combo->Map;
  DrawFrameCell(dc, button_, strip, true, frames,
                ComboStripFrame(look, frames, leftButton && !combo->Map2.Empty()));
}

void TSkinComBox::PaintNineGrid(HDC dc, const RECT& rect, int look, bool leftButton) {
  const TDataSkinObject* combo = data_->Part(spComboButton);
  const TDataSkinObject* sunk = data_->Part(spSunkEdge);
  // The sunk edge holds the combo strip's mirror image, for left-hand buttons.
  const bool mirrored = leftButton && sunk && !sunk->Map.Empty();
  const TDataSkinObject& object = mirrored ? *sunk : *combo;
  const int frames = object.Frame > 0 ? object.Frame : 1;
  DrawNineGrid(dc, rect, object.Map,
               {object.LeftWidth, object.TopHeight, object.RightWidth, object.BottomHeight}, false,
               true, frames, ComboStripFrame(look, frames, mirrored));
}

void TSkinComBox::PaintExtended(HDC dc, int width, int height, int look) {
  RECT client;
  GetClientRect(handle_, &client);
  if (client.right < width && client.bottom < height) {
    FrameIn(dc, RECT{0, 0, width, height}, SkinColour(ceButtonShadow));
    FrameIn(dc, RECT{1, 1, width - 1, height - 1}, WindowBackColour());
  }
  HWND child = GetWindow(handle_, GW_CHILD);
  const TDataSkinObject* arrow = data_->ComboxArrow();
  if (!child || !arrow || arrow->Map.Empty()) return;
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&r), 2);
  OwnedBrush face(CreateSolidBrush(ResolveColour(data_->FaceColour())));
  FillRect(dc, &r, face.Get());
  DrawFrameCell(dc, r, arrow->Map, true, arrow->Frame > 0 ? arrow->Frame : 1, look);
}

void TSkinComBox::PaintSunk(HDC dc, int width, int height, int look, bool leftButton) {
  const auto* combo = static_cast<const TDataSkinBorder*>(data_->Part(spComboButton));
  const TDataSkinObject* sunk = data_->Part(spSunkEdge);
  const SunkComboParts parts =
      SunkComboLayout(width, height, leftButton, GetSystemMetrics(SM_CXHSCROLL), Scale());
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, parts.inner.left, parts.inner.top, parts.inner.right, parts.inner.bottom);
  if (sunk && !sunk->Map.Empty())
    DrawNineGrid(dc, RECT{0, 0, width, height}, sunk->Map,
                 {sunk->LeftWidth, sunk->TopHeight, sunk->RightWidth, sunk->BottomHeight}, false,
                 sunk->Trans == 1, sunk->Frame, look);
  const bool mirrored = leftButton && !combo->Map2.Empty();
  const int frames = combo->Frame > 0 ? combo->Frame : 1;
  button_ = ToRECT(parts.button);
  DrawFrameCell(dc, button_, mirrored ? combo->Map2 : combo->Map, true, frames,
                ComboStripFrame(look, frames, mirrored));
  const TDataSkinObject* extra = data_->Part(spExtraImages);
  if (extra && !extra->Map.Empty()) {
    const int frames = extra->Frame > 0 ? extra->Frame : 1;
    const Rect cell = CentredCell(parts.arrow, extra->Map.Width() / frames, extra->Map.Height());
    DrawFrameCell(dc, ToRECT(cell), extra->Map, true, frames, look);
  }
  RestoreDC(dc, saved);
}

}  // namespace velotune::skin
