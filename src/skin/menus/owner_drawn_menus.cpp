#include "skin/menus/owner_drawn_menus.h"

#include <algorithm>

#include "framework/form.h"
#include "framework/menus.h"
#include "skin/menus/menu_item_paint.h"

namespace velotune::skin {

namespace {

template <typename M>
void CollectMenus(TComponent& owner, std::vector<M*>& out) {
  for (TComponent* c : owner.Components()) {
    if (auto* menu = dynamic_cast<M*>(c)) out.push_back(menu);
    // The forms and frames it owns bring their menus too.
    if (dynamic_cast<TWinControl*>(c)) CollectMenus(*c, out);
  }
}

bool Alive(const TMenuItem* item, unsigned command) {
  return TMenuItem::FromCommand(command) == item;
}

}  // namespace

bool SkinnedFormMenus::Applied(const TMenu* menu) const {
  return std::any_of(menus_.begin(), menus_.end(),
                     [menu](const SavedMenu& m) { return m.menu == menu; });
}

void SkinnedFormMenus::ApplyPopupMenus(TForm& form) {
  if (!InSet(data_.SkinControls, xcPopupMenu) || std::string(form.ClassName()) == "TwwRichEditForm")
    return;
  std::vector<TPopupMenu*> popups;
  CollectMenus(form, popups);
  for (TPopupMenu* popup : popups)
    if (popup->Tag() != data_.DisableTag && !Applied(popup)) Skin(*popup, false);
}

void SkinnedFormMenus::ApplyMainMenus(TForm& form) {
  if (!InSet(data_.SkinControls, xcMenuItem)) return;
  std::vector<TMainMenu*> menus;
  CollectMenus(form, menus);
  for (TMainMenu* menu : menus)
    if (!Applied(menu)) Skin(*menu, true);
}

void SkinnedFormMenus::Skin(TMenu& menu, bool mainMenu) {
  TMenuItem* root = menu.Items();
  menus_.push_back(SavedMenu{&menu, root, root->Command(), menu.OwnerDraw()});
  const TEvent draw = MenuItemDrawHandler(data_, scale_);
  const TEvent measure = MenuItemMeasureHandler(
      mainMenu ? ItemMeasure::kMainMenuSub : ItemMeasure::kPopupOrSystem, data_, scale_);
  std::vector<TMenuItem*> pending;
  for (int i = 0; i < root->Count(); ++i) {
    TMenuItem* top = root->Items(i);
    if (mainMenu) {
      // The bar's own entries are drawn by the bar.
      for (int j = 0; j < top->Count(); ++j) pending.push_back(top->Items(j));
    } else {
      pending.push_back(top);
    }
  }
  while (!pending.empty()) {
    TMenuItem* item = pending.back();
    pending.pop_back();
    for (int i = 0; i < item->Count(); ++i) pending.push_back(item->Items(i));
    const TEvent ownDraw = item->Event("OnDrawItem"), ownMeasure = item->Event("OnMeasureItem");
    // A main menu's item that draws itself keeps its own look.
    if (mainMenu && ownDraw) continue;
    items_.push_back(SavedItem{item, item->Command(), ownDraw, ownMeasure});
    item->SetEvent("OnDrawItem", draw);
    if (mainMenu || !ownMeasure) item->SetEvent("OnMeasureItem", measure);
  }
  menu.SetOwnerDraw(true);
}

void SkinnedFormMenus::Remove() {
  for (const SavedItem& saved : items_) {
    if (!Alive(saved.item, saved.command)) continue;
    saved.item->SetEvent("OnDrawItem", saved.draw);
    saved.item->SetEvent("OnMeasureItem", saved.measure);
  }
  items_.clear();
  for (const SavedMenu& saved : menus_)
    if (Alive(saved.root, saved.rootCommand) && saved.root->Menu() == saved.menu)
      saved.menu->SetOwnerDraw(saved.ownerDraw);
  menus_.clear();
}

}  // namespace velotune::skin
