// Which menus of a skinned form are drawn by the skin: its popup menus (with
// xcPopupMenu, unless their Tag is the DisableTag) and the items below the top
// level of its main menus (with xcMenuItem). Their draw and measure handlers
// are replaced while the form is skinned and given back afterwards.
#pragma once

#include <vector>

#include "framework/component.h"
#include "skin/data/skin_data.h"
#include "skin/paint/dpi_scale.h"

namespace velotune {
class TForm;
class TMenu;
class TMenuItem;
}  // namespace velotune

namespace velotune::skin {

class SkinnedFormMenus {
 public:
  // `scale`: the form's, for the items' measures.
  SkinnedFormMenus(const TSkinData& data, const DpiScale& scale) : data_(data), scale_(scale) {}
  ~SkinnedFormMenus() { Remove(); }
  SkinnedFormMenus(const SkinnedFormMenus&) = delete;
  SkinnedFormMenus& operator=(const SkinnedFormMenus&) = delete;

  // The form's popup menus, and those of the forms it owns.
  void ApplyPopupMenus(TForm& form);
  // The form's main menus.
  void ApplyMainMenus(TForm& form);
  // Every handler and owner-draw setting back as it was.
  void Remove();

 private:
  struct SavedItem {
    TMenuItem* item;
    unsigned command;  // tells whether the item still exists
    TEvent draw;
    TEvent measure;
  };
  struct SavedMenu {
    TMenu* menu;
    TMenuItem* root;
    unsigned rootCommand;
    bool ownerDraw;
  };
  bool Applied(const TMenu* menu) const;
  void Skin(TMenu& menu, bool mainMenu);

  const TSkinData& data_;
  DpiScale scale_;
  std::vector<SavedMenu> menus_;
  std::vector<SavedItem> items_;
};

}  // namespace velotune::skin
