#include "skin/controls/skin_tab.h"

#include <algorithm>

#include "framework/containers.h"
#include "skin/controls/skin_up_down.h"
#include "skin/data/colour.h"
#include "skin/frame/win_skin_form.h"
#include "skin/paint/gdi_objects.h"
#include "skin/paint/win32_paint.h"

namespace velotune::skin {

namespace {

constexpr int kTabTextLimit = 80;
// Between a tab's image and its text.
constexpr int kImageGap = 2;
// Between a focused tab's text and its focus rectangle.
constexpr int kFocusGap = 3;

Rect ToRect(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}
RECT ToRECT(const Rect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

// Reads a tab's text (at most kTabTextLimit characters) into text and
// answers its image index.
template <typename Item, typename Char>
int ReadTabItem(HWND tabs, int index, Char* text, UINT message,
                LRESULT(WINAPI* send)(HWND, UINT, WPARAM, LPARAM)) {
  Item item = {};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = text;
  item.cchTextMax = kTabTextLimit;
  send(tabs, message, index, reinterpret_cast<LPARAM>(&item));
  return item.iImage;
}

// The control's font without bold, owned when a copy had to be made.
HFONT RegularFont(HFONT font, OwnedFont& copy) {
  LOGFONTA lf;
  if (!font || GetObjectA(font, sizeof(lf), &lf) != sizeof(lf) || lf.lfWeight <= FW_NORMAL)
    return font;
  lf.lfWeight = FW_NORMAL;
  copy.Reset(CreateFontIndirectA(&lf));
  return copy ? copy.Get() : font;
}

}  // namespace

void TSkinTab::Attached() {
  enabled_ = IsWindowEnabled(handle_) != FALSE;
  closeBoxes_ = false;
  if (auto* pages = dynamic_cast<TPageControl*>(control_))
    closeBoxes_ = pages->Tag() == kCloseBoxTag && pages->tabPosition == 0;
  PrepareImages();
  WrapArrowChild();
  active_ = true;
}

void TSkinTab::Reapply() {
  TSkinControl::Reapply();
  PrepareImages();
  Repaint();
}

void TSkinTab::PrepareImages() {
  side_ = TabSideOfStyle(static_cast<unsigned long>(GetWindowLongA(handle_, GWL_STYLE)));
  tabImage_.Clear();
  paneImage_.Clear();
  paneDib_.Reset();
  const TDataSkinObject* tabs = Art().Part(spTabs);
  if (!tabs) return;
  const auto whole = [](const Bitmap& b) { return Crop(b, {0, 0, b.Width(), b.Height()}); };
  if (!tabs->Map.Empty()) tabImage_ = whole(tabs->Map);
  tabMargins_ = {tabs->LeftWidth, tabs->TopHeight, tabs->RightWidth, tabs->BottomHeight};
  if (tabs->Style == 1) {
    if (const TDataSkinObject* pane = Art().Part(spTabPane)) {
      if (!pane->Map.Empty()) paneImage_ = whole(pane->Map);
      paneMargins_ = {pane->LeftWidth, pane->TopHeight, pane->RightWidth, pane->BottomHeight};
    }
  } else if (tabs->Style == 0) {
    if (const TDataSkinBorder* border = Art().BorderPart(spTabs))
      if (!border->Map2.Empty()) paneImage_ = whole(border->Map2);
    // The pane's default margins are pixels of the 96-DPI pictures: they
    // grow with the pictures they cut.
    const DpiScale art(Art().dpi);
    paneMargins_ = {art.Px(4), art.Px(5), art.Px(4), art.Px(4)};
  }
  TurnTabImages(side_, tabImage_, tabMargins_, paneImage_, paneMargins_);
}

void TSkinTab::WrapArrowChild() {
  HWND child = FindWindowExA(handle_, nullptr, UPDOWN_CLASSA, nullptr);
  if (!child || child == arrowWindow_) return;
  arrowWindow_ = child;
  // The arrows are a system child, not a framework control: their wrapper is
  // attached to the window and listed by the form like a dialog's controls,
  // and owned by this wrapper. A remade child gets a new wrapper; the old
  // one goes first.
  delete arrow_;
  arrow_ = new TSkinUpDown(this);
  FreeNotification(arrow_);
  if (!arrow_->AttachWindow(child, *data_, *form_, canvas_)) {
    delete arrow_;
    arrow_ = nullptr;
  }
}

void TSkinTab::Notification(TComponent* freed) {
  TSkinControl::Notification(freed);
  if (freed == arrow_) arrow_ = nullptr;
}

bool TSkinTab::BeforeMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
      // The arrows, a child, are left out of the copy by the window's clipping.
      WrapArrowChild();
      PaintMessage(message, true);
      return false;
    case WM_ERASEBKGND:
      // Everything is painted with the next paint, off screen.
      message.Result = 1;
      return false;
    case WM_LBUTTONDOWN:
      if (closeBoxes_ && PressCloseBox(message)) return false;
      break;
    case WM_ENABLE:
      enabled_ = message.WParam != 0;
      break;
    default:
      break;
  }
  return TSkinControl::BeforeMessage(message);
}

bool TSkinTab::PressCloseBox(TMessage& message) {
  const int x = static_cast<short>(LOWORD(message.LParam));
  const int y = static_cast<short>(HIWORD(message.LParam));
  for (size_t i = 0; i < closeRects_.size(); ++i) {
    const Rect& box = closeRects_[i];
    if (x < box.left || x >= box.right || y < box.top || y >= box.bottom) continue;
    const LRESULT answer = SendMessageA(form_->Handle(), SKM_TABCLOSE,
                                        reinterpret_cast<WPARAM>(handle_), static_cast<LPARAM>(i));
    if (answer == 0) {
      auto* pages = dynamic_cast<TPageControl*>(control_);
      const std::vector<TTabSheet*> tabs = pages ? pages->VisibleTabs() : std::vector<TTabSheet*>();
      if (i < tabs.size())
        delete tabs[i];
      else
        SendMessageA(handle_, TCM_DELETEITEM, i, 0);
      closeRects_.clear();
    }
    // One box at a time: the tabs move once one has gone.
    message.Result = 0;
    return true;
  }
  return false;
}

void TSkinTab::Paint(HDC dc, const RECT& rect) {
  const Rect control = ToRect(rect);
  RECT display = rect;
  SendMessageA(handle_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  const Rect pane = PaneRect(ToRect(display), side_, Scale());
  const int count = static_cast<int>(SendMessageA(handle_, TCM_GETITEMCOUNT, 0, 0));
  closeRects_.assign(static_cast<size_t>(std::max(count, 0)), Rect{});
  if (!tabImage_.Empty()) PaintStrip(dc, control, pane);
  if (!paneImage_.Empty()) {
    try {
      PaintPane(dc, pane);
    } catch (...) {
      // The pane is left as it was.
    }
  }
  if (mode_ == wmTabControl) PaintGraphicChildren(dc);
}

void TSkinTab::PaintPane(HDC dc, const Rect& pane) {
  const int w = pane.Width(), h = pane.Height();
  if (w <= 0 || h <= 0) return;
  if (!paneDib_ || w != paneDibWidth_ || h != paneDibHeight_) {
    paneDib_.Reset();
    paneDib_ = MakeDib(NineGrid(w, h, paneImage_, paneMargins_, false, false, 1, 1));
    if (!paneDib_) return;
    paneDibWidth_ = w;
    paneDibHeight_ = h;
  }
  HDC memory = CreateCompatibleDC(dc);
  if (!memory) return;
  {
    SelectedObject selected(memory, paneDib_.Get());
    BitBlt(dc, pane.left, pane.top, w, h, memory, 0, 0, SRCCOPY);
  }
  DeleteDC(memory);
}

void TSkinTab::PaintStrip(HDC dc, const Rect& control, const Rect& pane) {
  const Rect strip = StripRect(control, pane, side_);
  const StripSize size = StripCanvasSize(strip, side_);
  if (size.width <= 0 || size.height <= 0) return;
  OffscreenBuffer canvas(dc, size.width, size.height);
  {
    OwnedBrush face(CreateSolidBrush(ResolveColour(data_->FaceColour())));
    RECT all{0, 0, size.width, size.height};
    FillRect(canvas.Dc(), &all, face.Get());
  }
  HFONT font = control_ ? control_->Font().Handle()
                        : reinterpret_cast<HFONT>(SendMessageA(handle_, WM_GETFONT, 0, 0));
  OwnedFont regular;
  font = RegularFont(font, regular);
  OwnedPen pen(CreatePen(PS_SOLID, 1, SkinColour(ceButtonDkShadow)));
  {
    SelectedObject selectedFont(
        canvas.Dc(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SelectedObject selectedPen(canvas.Dc(), pen.Get());
    const int selected = static_cast<int>(SendMessageA(handle_, TCM_GETCURSEL, 0, 0));
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(handle_, TCM_GETIMAGELIST, 0, 0));
    const bool focusCue = FocusCueWanted();
    for (int i = 0; i < static_cast<int>(closeRects_.size()); ++i) {
      RECT r;
      if (!SendMessageA(handle_, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r))) continue;
      const Rect tab =
          TabRectInStrip(side_, ToRect(r), size.width, control.right, pane.bottom, Scale());
      PaintTab(canvas.Dc(), i, tab, i == selected, focusCue && i == selected, images);
      if (closeBoxes_) {
        const Rect box = CloseBoxRect(tab, Scale());
        closeRects_[i] = {box.left + strip.left, box.top + strip.top, box.right + strip.left,
                          box.bottom + strip.top};
      }
    }
  }
  Bitmap flat = ReadPixels(canvas.Dc(), 0, 0, size.width, size.height);
  if (side_ == tsLeft || side_ == tsRight) flat = TurnQuarter(flat, side_ == tsRight);
  const int saved = SaveDC(dc);
  if (arrowWindow_ && IsWindowVisible(arrowWindow_)) {
    RECT r;
    GetWindowRect(arrowWindow_, &r);
    MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&r), 2);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
  BlitBitmap(dc, strip.left, strip.top, flat, false);
  RestoreDC(dc, saved);
}

void TSkinTab::PaintTab(HDC canvas, int index, const Rect& tab, bool selected, bool focusCue,
                        HIMAGELIST images) {
  const TDataSkinObject& tabs = *Art().Part(spTabs);
  DrawNineGrid(canvas, ToRECT(tab), tabImage_, tabMargins_, tabs.Tile == 1, tabs.Trans == 1,
               tabs.Frame, selected ? 2 : 1);
  if (closeBoxes_) {
    const Rect box = CloseBoxRect(tab, Scale());
    const POINT outline[] = {{box.left, box.top},
                             {box.right - 1, box.top},
                             {box.right - 1, box.bottom - 1},
                             {box.left, box.bottom - 1},
                             {box.left, box.top}};
    Polyline(canvas, outline, 5);
    MoveToEx(canvas, box.left, box.top, nullptr);
    LineTo(canvas, box.right, box.bottom);
    MoveToEx(canvas, box.right - 1, box.top, nullptr);
    LineTo(canvas, box.left - 1, box.bottom);
  }

  // The tab's text and image index.
  wchar_t wide[kTabTextLimit + 1] = {};
  char narrow[kTabTextLimit + 1] = {};
  const int image = unicode_
                        ? ReadTabItem<TCITEMW>(handle_, index, wide, TCM_GETITEMW, &SendMessageW)
                        : ReadTabItem<TCITEMA>(handle_, index, narrow, TCM_GETITEMA, &SendMessageA);

  const TColor colour = selected ? tabs.MouseOverColour2 : tabs.NormalColour2;
  SetTextColor(canvas, enabled_ ? ResolveColour(colour) : GetSysColor(COLOR_BTNSHADOW));
  SetBkMode(canvas, TRANSPARENT);
  int imageWidth = 0, imageHeight = 0;
  if (image != -1 && images) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    if (cx < tab.Width()) {
      imageWidth = cx;
      imageHeight = cy;
    }
  }
  // Measured in what is left of the tab beside the image.
  RECT measured{tab.left, tab.top,
                tab.right - (imageWidth > 0 ? imageWidth + Scale().Px(kImageGap) : 0), tab.bottom};
  const UINT measure = DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_END_ELLIPSIS;
  if (unicode_)
    DrawTextW(canvas, wide, -1, &measured, measure);
  else
    DrawTextA(canvas, narrow, -1, &measured, measure);
  const int textWidth = std::min<int>(measured.right - measured.left, tab.Width());
  const int x = tab.left + TabBlockOffset(tab.Width(), textWidth, imageWidth, Scale());
  if (imageWidth > 0)
    ImageList_Draw(images, image, canvas, x, tab.top + (tab.Height() - imageHeight) / 2,
                   ILD_TRANSPARENT);
  RECT text{x + imageWidth, tab.top, tab.right, tab.bottom};
  std::string bidi;
  const bool rightToLeft = (ReadProperty("BiDiMode", &bidi) && bidi == "bdRightToLeft") ||
                           (GetWindowLongA(handle_, GWL_EXSTYLE) & WS_EX_RTLREADING);
  const UINT format = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_END_ELLIPSIS |
                      (rightToLeft ? DT_RTLREADING : 0);
  if (unicode_)
    DrawTextW(canvas, wide, -1, &text, format);
  else
    DrawTextA(canvas, narrow, -1, &text, format);
  if (focusCue) {
    // Around the text and image, as the system marks the focused tab.
    const int gap = Scale().Px(kFocusGap);
    DrawFocusCue(canvas, RECT{x - gap, tab.top + gap,
                              std::min<int>(x + imageWidth + textWidth + gap, tab.right - 1),
                              tab.bottom - gap});
  }
}

void TSkinTabSheet::AttachControl(TWinSkinForm& form, TSkinData& data, bool, HDC canvas) {
  // The page takes the face colour while skinned and gets its own back after.
  TSkinControl::AttachControl(form, data, true, canvas);
}

bool TSkinTabSheet::BeforeMessage(TMessage& message) {
  if (message.Msg == WM_ERASEBKGND) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    RECT client;
    GetClientRect(handle_, &client);
    Paint(dc, client);
    message.Result = 1;
    return false;
  }
  return TSkinControl::BeforeMessage(message);
}

void TSkinTabSheet::AfterMessage(TMessage& message) {
  // The page paints itself (and its labels) in the face colour it was given.
  if (message.Msg == WM_PAINT) return;
  TSkinControl::AfterMessage(message);
}

void TSkinTabSheet::Paint(HDC dc, const RECT& rect) {
  PaintBackground(dc, rect);
}

}  // namespace velotune::skin
