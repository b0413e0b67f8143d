// The skinned system menu of one window: an owner-drawn framework popup menu
// (tagged kSystemMenuTag) holding a copy of the window's system menu, built
// each time it opens, each item with its glyph from a 16x16 glyph list and the
// system command as its Tag. Its items are measured and drawn through the
// window's WM_MEASUREITEM and WM_DRAWITEM by the skin's menu-item painters,
// which the manager hands in; the choice is posted as WM_SYSCOMMAND.
#pragma once

#include <windows.h>

#include <memory>

#include "skin/data/bitmap.h"

namespace velotune {
class TImageList;
class TMenuItem;
class TPopupMenu;
}  // namespace velotune

namespace velotune::skin {

class TWinSkinForm;

// The Tag that marks a popup menu as the skinned system menu.
constexpr int kSystemMenuTag = 33333;

// The four 16x16 glyphs side by side (restore, maximize, minimize, close):
// ink black, the rest magenta.
const Bitmap& SystemMenuGlyphs();

class SystemMenu {
 public:
  explicit SystemMenu(TWinSkinForm& form);
  ~SystemMenu();
  SystemMenu(const SystemMenu&) = delete;
  SystemMenu& operator=(const SystemMenu&) = delete;

  // Takes the window's own system menu, which the copies are made from.
  void ReadWindowMenu();
  // Whether the window's system menu holds a close item.
  bool HasCloseItem() const;

  // Pops the menu up at a screen point; a quick second call closes the window.
  void Show(POINT screen);
  // The popup on screen now (null when none).
  HMENU Popup() const;
  bool Open() const { return open_; }
  // The item of the popup with that command id, or null.
  TMenuItem* Item(UINT command) const;
  void Free();
  // WM_MEASUREITEM and WM_DRAWITEM for the popup's items: false for others.
  bool MeasureItem(MEASUREITEMSTRUCT& measure) const;
  bool DrawItem(const DRAWITEMSTRUCT& draw) const;

 private:
  void Build();

  TWinSkinForm& form_;
  HMENU windowMenu_ = nullptr;
  std::unique_ptr<TPopupMenu> popup_;
  std::unique_ptr<TImageList> glyphs_;
  DWORD lastPopup_ = 0;
  bool open_ = false;
};

}  // namespace velotune::skin
