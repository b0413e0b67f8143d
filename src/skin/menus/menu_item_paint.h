// Owner-drawn menu items in the skin's look: the measure rules, the item on
// the popup's own background with the "MenuItem" image (frame 1 normal, 4
// selected), the separator cut from that image, and the content (glyph box,
// caption, shortcut). Without skin images the items fall back to flat colours
// from the colour table.
#pragma once

#include <windows.h>

#include "framework/menu_item.h"
#include "skin/data/skin_data.h"
#include "skin/menus/menu_logic.h"

namespace velotune {
class TImageList;
}

namespace velotune::skin {

// Every measure below is taken at `scale`, the scale of the window the menu
// shows for.

// The screen's menu font, bold for a default item; owned by the caller.
HFONT CreateMenuFont(bool bold, const DpiScale& scale);

// The owner-drawn width of a framework item from its own measure.
int MeasureMenuItemWidth(ItemMeasure kind, const TMenuItem& item, int width, const TSkinData& data,
                         const DpiScale& scale);

// Sets the width and height of a framework item measured for the skin.
void MeasureMenuItem(ItemMeasure kind, const TMenuItem& item, const TSkinData& data,
                     MEASUREITEMSTRUCT& measure, const DpiScale& scale);

// Paints the item into `rect` of `canvas`; `parentMenu` is the menu that
// holds it, whose popup window's background lies under the item.
void PaintMenuItem(HDC canvas, const TMenuItem& item, unsigned state, const RECT& rect,
                   const TSkinData& data, HMENU parentMenu, const DpiScale& scale);

// Glyph box, caption and shortcut of the item over what `dc` already shows.
void PaintMenuItemContent(HDC dc, const TMenuItem& item, unsigned state, const RECT& rect,
                          const TSkinData& data, const DpiScale& scale);

// The event handlers a framework menu item gets while its menu is skinned.
TEvent MenuItemDrawHandler(const TSkinData& data, const DpiScale& scale);
TEvent MenuItemMeasureHandler(ItemMeasure kind, const TSkinData& data, const DpiScale& scale);

// A stand-in for an entry the framework did not make, from its menu text
// ("text\tshortcut"; an empty text is a separator) and states.
struct ForeignEntry {
  std::string text;
  bool enabled = true;
  bool checked = false;
};
void MeasureForeignEntry(const ForeignEntry& entry, const TSkinData& data,
                         MEASUREITEMSTRUCT& measure, const DpiScale& scale);
void PaintForeignEntry(const ForeignEntry& entry, const TSkinData& data, const DRAWITEMSTRUCT& draw,
                       const DpiScale& scale);

}  // namespace velotune::skin
