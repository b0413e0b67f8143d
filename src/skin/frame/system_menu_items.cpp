// The system menu's glyphs and the painting of its items.
#include <algorithm>

#include "skin/bitmap_ops.h"
#include "skin/colour.h"
#include "skin/frame/system_menu.h"
#include "skin/paint/gdi_objects.h"
#include "skin/paint/win32_paint.h"

namespace velotune::skin {

namespace {

constexpr int kGlyph = 16;
constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 8;
constexpr int kGlyphColumn = 24;

void Box(Bitmap& b, int x0, int y0, int x1, int y1, int thickTop) {
  for (int x = x0; x <= x1; ++x) {
    for (int t = 0; t < thickTop; ++t) b.Set(x, y0 + t, 0);
    b.Set(x, y1, 0);
  }
  for (int y = y0; y <= y1; ++y) {
    b.Set(x0, y, 0);
    b.Set(x1, y, 0);
  }
}

Bitmap MakeGlyphs() {
  Bitmap b(4 * kGlyph, kGlyph, 24, kMagentaPixel);
  // Restore: two overlapping windows.
  Box(b, 6, 3, 12, 9, 2);
  for (int x = 3; x <= 9; ++x)
    for (int y = 6; y <= 12; ++y) b.Set(x, y, kMagentaPixel);
  Box(b, 3, 6, 9, 12, 2);
  // Maximize: one window.
  Box(b, kGlyph + 3, 3, kGlyph + 12, 12, 2);
  // Minimize: a bar at the bottom.
  for (int x = 2 * kGlyph + 4; x <= 2 * kGlyph + 10; ++x)
    for (int y = 11; y <= 12; ++y) b.Set(x, y, 0);
  // Close: a cross.
  for (int i = 0; i < 8; ++i) {
    for (int t = 0; t < 2; ++t) {
      b.Set(3 * kGlyph + 4 + i + t, 4 + i, 0);
      b.Set(3 * kGlyph + 11 - i + t, 4 + i, 0);
    }
  }
  return b;
}

}  // namespace

const Bitmap& SystemMenuGlyphs() {
  static const Bitmap glyphs = MakeGlyphs();
  return glyphs;
}

void MeasureSystemMenuItem(HWND owner, HFONT font, const SystemMenuItem& item,
                           MEASUREITEMSTRUCT& measure) {
  if (item.separator) {
    measure.itemWidth = 40;
    measure.itemHeight = kSeparatorHeight;
    return;
  }
  WindowDC dc(owner, false);
  SelectedObject selected(dc.Get(), font);
  SIZE text{}, shortcut{};
  GetTextExtentPoint32A(dc.Get(), item.text.c_str(), static_cast<int>(item.text.size()), &text);
  if (!item.shortcut.empty())
    GetTextExtentPoint32A(dc.Get(), item.shortcut.c_str(), static_cast<int>(item.shortcut.size()),
                          &shortcut);
  measure.itemWidth = kGlyphColumn + text.cx + (shortcut.cx ? 24 + shortcut.cx : 0) + 12;
  measure.itemHeight = std::max<UINT>(kItemHeight, text.cy + 6);
}

void PaintSystemMenuItem(const TSkinData& skin, HFONT font, const SystemMenuItem& item,
                         const DRAWITEMSTRUCT& draw) {
  const RECT& r = draw.rcItem;
  HDC dc = draw.hDC;
  const bool selected = (draw.itemState & ODS_SELECTED) != 0 && item.enabled;
  const COLORREF fill = ResolveColour(skin.Colour(selected ? ceHilight : ceMenu));
  OwnedBrush brush(CreateSolidBrush(fill));
  FillRect(dc, &r, brush.Get());
  if (item.separator) {
    OwnedBrush line(CreateSolidBrush(ResolveColour(skin.Colour(ceButtonShadow))));
    RECT bar{r.left + 2, (r.top + r.bottom) / 2, r.right - 2, (r.top + r.bottom) / 2 + 1};
    FillRect(dc, &bar, line.Get());
    return;
  }
  const COLORREF ink = ResolveColour(skin.Colour(!item.enabled ? ceButtonShadow
                                                 : selected    ? ceHilightText
                                                               : ceMenuText));
  if (item.glyph >= 0) {
    // The glyph takes the text's colour.
    Bitmap glyph =
        Crop(SystemMenuGlyphs(), {item.glyph * kGlyph, 0, (item.glyph + 1) * kGlyph, kGlyph});
    const Pixel inkPixel = MakePixel(GetRValue(ink), GetGValue(ink), GetBValue(ink));
    for (int y = 0; y < glyph.Height(); ++y)
      for (int x = 0; x < glyph.Width(); ++x)
        if (!IsTransparentPixel(glyph.At(x, y))) glyph.Set(x, y, inkPixel);
    BlitBitmap(dc, r.left + 4, r.top + (r.bottom - r.top - kGlyph) / 2, glyph, true);
  }
  SelectedObject selectedFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ink);
  RECT text{r.left + kGlyphColumn, r.top, r.right - 8, r.bottom};
  DrawTextA(dc, item.text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  if (!item.shortcut.empty())
    DrawTextA(dc, item.shortcut.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
}

}  // namespace velotune::skin
