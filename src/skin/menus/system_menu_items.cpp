#include "skin/menus/system_menu_items.h"

#include "skin/menus/menu_item_paint.h"

namespace velotune::skin {

void MeasureSystemMenuItem(const TSkinData& skin, const TMenuItem& item,
                           MEASUREITEMSTRUCT& measure) {
  MeasureMenuItem(ItemMeasure::kPopupOrSystem, item, skin, measure);
}

void PaintSystemMenuItem(const TSkinData& skin, const TMenuItem& item, const DRAWITEMSTRUCT& draw) {
  PaintMenuItem(draw.hDC, item, draw.itemState, draw.rcItem, skin,
                reinterpret_cast<HMENU>(draw.hwndItem));
}

}  // namespace velotune::skin
