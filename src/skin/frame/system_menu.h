// The skinned system menu: an owner-drawn popup holding a copy of the
// window's system menu, each item with its glyph, measured and drawn through
// the form's WM_MEASUREITEM and WM_DRAWITEM.
#pragma once

#include <windows.h>

#include <string>

#include "skin/bitmap.h"
#include "skin/skin_data.h"

namespace velotune::skin {

struct SystemMenuItem {
  std::string text;      // without the shortcut
  std::string shortcut;  // after a tab, or empty
  int glyph = -1;        // 0 restore, 1 maximize, 2 minimize, 3 close; -1 none
  bool separator = false;
  bool enabled = true;
  bool checked = false;
  UINT command = 0;
};

// The four 16x16 glyphs side by side: ink black, the rest magenta.
const Bitmap& SystemMenuGlyphs();

// The one place that sizes and paints an item. Without menu images the skin's
// flat colours are used: Menu and Hilight fills, MenuText and HilightText
// text, ButtonShadow for disabled items.
void MeasureSystemMenuItem(HWND owner, HFONT font, const SystemMenuItem& item,
                           MEASUREITEMSTRUCT& measure);
void PaintSystemMenuItem(const TSkinData& skin, HFONT font, const SystemMenuItem& item,
                         const DRAWITEMSTRUCT& draw);

}  // namespace velotune::skin
