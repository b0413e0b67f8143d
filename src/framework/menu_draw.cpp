// The framework's own look of owner-drawn menu items: a glyph box (the
// item's image, or a check mark), the caption with its accelerator
// underlined, bold for the default item, and the shortcut right-aligned.
#include <algorithm>

#include "framework/menus.h"

namespace velotune {

namespace {

constexpr int kGlyphLeft = 1;     // glyph box from the item's left edge
constexpr int kCaptionGap = 3;    // glyph box to caption
constexpr int kShortCutGap = 16;  // caption to shortcut
constexpr int kRightGap = 10;     // shortcut to the item's right edge
constexpr int kLineHeight = 8;

// The screen's menu font, bold for a default item.
class MenuFont {
 public:
  explicit MenuFont(bool bold) {
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    if (bold) metrics.lfMenuFont.lfWeight = FW_BOLD;
    font_ = CreateFontIndirectA(&metrics.lfMenuFont);
  }
  ~MenuFont() {
    if (font_) DeleteObject(font_);
  }
  MenuFont(const MenuFont&) = delete;
  MenuFont& operator=(const MenuFont&) = delete;
  HFONT Handle() const { return font_; }

 private:
  HFONT font_ = nullptr;
};

SIZE GlyphSize(const TMenuItem& item) {
  TMenu* menu = item.Menu();
  TImageList* images = menu ? menu->Images() : nullptr;
  if (!images) return SIZE{16, 16};
  return SIZE{images->Width(), images->Height()};
}

// A caption that is empty or only "&" still takes a blank's room.
std::string MeasuredCaption(const std::string& caption) {
  return caption.empty() || caption == "&" ? caption + " " : caption;
}

SIZE TextSize(HDC dc, const std::string& text) {
  RECT r{0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

}  // namespace

// The system's check mark in `colour`, centred in `box`: drawn black on
// white into a mask, then the brush painted where the mask is black.
void DrawMenuCheckMark(HDC dc, const RECT& box, COLORREF colour) {
  int w = box.right - box.left, h = box.bottom - box.top;
  int size = std::min(w, h);
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
  HGDIOBJ oldMask = SelectObject(memory, mask);
  RECT r{0, 0, size, size};
  DrawFrameControl(memory, &r, DFC_MENU, DFCS_MENUCHECK);
  HBRUSH brush = CreateSolidBrush(colour);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  constexpr DWORD kPatternWhereSourceBlack = 0x00B8074A;
  BitBlt(dc, box.left + (w - size) / 2, box.top + (h - size) / 2, size, size, memory, 0, 0,
         kPatternWhereSourceBlack);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
  SelectObject(dc, oldBrush);
  DeleteObject(brush);
  SelectObject(memory, oldMask);
  DeleteObject(mask);
  DeleteDC(memory);
}

void TMenuItem::DefaultMeasure(HDC dc, int* width, int* height) const {
  if (IsLine()) {
    *width = kRightGap;
    *height = kLineHeight;
    return;
  }
  MenuFont font(default_);
  HGDIOBJ old = SelectObject(dc, font.Handle());
  SIZE caption = TextSize(dc, MeasuredCaption(caption_));
  std::string shortCut = ShortCutText();
  int shortCutWidth = shortCut.empty() ? 0 : kShortCutGap + TextSize(dc, shortCut).cx;
  SelectObject(dc, old);
  SIZE glyph = GlyphSize(*this);
  *width = kGlyphLeft + static_cast<int>(glyph.cx + caption.cx) + kCaptionGap + shortCutWidth +
           kRightGap;
  *height = std::max(static_cast<int>(caption.cy) + 4, static_cast<int>(glyph.cy) + 2);
}

void TMenuItem::DefaultDraw(HDC dc, const RECT& rect, unsigned state) const {
  bool selected = (state & ODS_SELECTED) != 0;
  FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  if (IsLine()) {
    RECT line = rect;
    line.top += kLineHeight / 2 - 1;
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  SIZE glyph = GlyphSize(*this);
  RECT box;
  box.left = rect.left + kGlyphLeft;
  box.top = rect.top + std::max<LONG>(1, (rect.bottom - rect.top - glyph.cy) / 2);
  box.right = box.left + glyph.cx;
  box.bottom = box.top + glyph.cy;
  COLORREF text = !enabled_  ? GetSysColor(COLOR_GRAYTEXT)
                  : selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                             : GetSysColor(COLOR_MENUTEXT);
  TMenu* menu = Menu();
  TImageList* images = menu ? menu->Images() : nullptr;
  if (images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
    if (checked_) {
      RECT frame{box.left - 1, box.top - 1, box.right + 1, box.bottom + 1};
      DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
    }
    images->Draw(dc, box.left, box.top, imageIndex_, enabled_);
  } else if (checked_) {
    DrawMenuCheckMark(dc, box, text);
  }
  MenuFont font(default_);
  HGDIOBJ old = SelectObject(dc, font.Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, text);
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
  if (state & ODS_NOACCEL) format |= DT_HIDEPREFIX;
  RECT area{box.right + kCaptionGap, rect.top, rect.right - 1, rect.bottom};
  DrawTextA(dc, caption_.c_str(), -1, &area, format | DT_LEFT);
  std::string shortCut = ShortCutText();
  if (!shortCut.empty()) {
    area.right = rect.right - kRightGap;
    DrawTextA(dc, shortCut.c_str(), -1, &area, format | DT_RIGHT | DT_NOPREFIX);
  }
  SelectObject(dc, old);
}

}  // namespace velotune
