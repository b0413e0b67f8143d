// The skinned system menu: an owner-drawn framework popup menu (Tag 33333)
// holding a copy of the window's system menu, each item with its glyph from
// a 16x16 glyph list and the system command as its Tag, measured and drawn
// through the window's WM_MEASUREITEM and WM_DRAWITEM by the skin's menu-item
// painters.
#pragma once

#include <windows.h>

#include "framework/menu_item.h"
#include "skin/data/bitmap.h"
#include "skin/data/skin_data.h"

namespace velotune::skin {

constexpr int kSystemMenuTag = 33333;

// The four 16x16 glyphs side by side (restore, maximize, minimize, close):
// ink black, the rest magenta.
const Bitmap& SystemMenuGlyphs();

// The pair that measures and paints an item of the skinned system menu; the
// skin's menu painters provide it.
void MeasureSystemMenuItem(const TSkinData& skin, const TMenuItem& item,
                           MEASUREITEMSTRUCT& measure);
void PaintSystemMenuItem(const TSkinData& skin, const TMenuItem& item, const DRAWITEMSTRUCT& draw);

}  // namespace velotune::skin
