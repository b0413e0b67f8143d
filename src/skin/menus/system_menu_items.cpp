#include "skin/menus/system_menu_items.h"

#include "skin/menus/menu_item_paint.h"

namespace velotune::skin {

void MeasureSystemMenuItem(const TSkinData& skin, const TMenuItem& item, MEASUREITEMSTRUCT& measure,
                           const DpiScale& scale) {
  MeasureMenuItem(ItemMeasure::kPopupOrSystem, item, skin, measure, scale);
}

void PaintSystemMenuItem(const TSkinData& skin, const TMenuItem& item, const DRAWITEMSTRUCT& draw,
                         const DpiScale& scale) {
  PaintMenuItem(draw.hDC, item, draw.itemState, draw.rcItem, skin,
                reinterpret_cast<HMENU>(draw.hwndItem), scale);
}

}  // namespace velotune::skin
