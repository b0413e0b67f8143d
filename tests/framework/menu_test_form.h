// A form with a main menu, two popup menus (one owner-drawn) and an image
// list, read from tests/framework/forms/menu_test.dfm, for the Windows tests
// of menus. Its handlers record what ran, by component name.
#pragma once

#include <string>
#include <vector>

#include "framework/form.h"
#include "framework/menus.h"

namespace velotune {

class TMenuTestForm : public TForm {
 public:
  TMenuTestForm();
  const char* ClassName() const override { return "TMenuTestForm"; }
  TEvent FindHandler(const std::string& name) override;

  template <typename T>
  T* Get(const std::string& name) {
    return Bind<T>(*this, name);
  }
  TMenuItem* Item(const std::string& name) { return Get<TMenuItem>(name); }

  std::vector<std::string> clicks;    // OnClick of items, in order
  std::vector<std::string> popups;    // OnPopup of popup menus
  std::vector<std::string> measured;  // OnMeasureItem
  std::vector<std::string> drawn;     // OnDrawItem
  // ItemMeasure answers this height (the framework's own when 0); ItemDraw
  // fills the item's rectangle with this colour and draws nothing else.
  int measureHeight = 0;
  COLORREF drawColour = RGB(0, 128, 0);

 private:
  void MenuClick(TEventArgs& e) { clicks.push_back(e.Sender->Name()); }
  void PopupOpening(TEventArgs& e) { popups.push_back(e.Sender->Name()); }
  void ItemMeasure(TEventArgs& e);
  void ItemDraw(TEventArgs& e);
};

}  // namespace velotune
