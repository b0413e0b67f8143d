// TWinSkinMenu: the skinned menu bar of one window. Its top-level items are
// TMenuBtn hot objects drawn in the strip below the caption; a press opens
// an item's popup, tracked with a message filter that moves between the bar's
// popups with the arrow keys and the mouse, as a system menu bar does.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/data/bitmap.h"
#include "skin/data/skin_data.h"
#include "skin/frame/menu_bar.h"
#include "skin/frame/nc_objects.h"
#include "skin/frame/skinned_frame.h"
#include "skin/menus/menu_item_paint.h"
#include "skin/paint/gdi_objects.h"

namespace velotune {
class TMainMenu;
class TMenuItem;
}  // namespace velotune

namespace velotune::skin {

class TWinSkinMenu;

// One top-level item of the bar.
class TMenuBtn : public TNCObject {
 public:
  TMenuBtn(SkinnedFrame& form, TWinSkinMenu& bar, int index);
  void Paint() override;

  int Index;
  UINT Command = 0;
  std::wstring Caption;   // at most 80 characters
  HMENU Popup = nullptr;  // null without sub-items

 private:
  TWinSkinMenu& bar_;
};

class TWinSkinMenu : public SkinMenuBar {
 public:
  explicit TWinSkinMenu(SkinnedFrame& form);
  ~TWinSkinMenu() override;

  void Build() override;
  void MenuChanged() override;
  void Paint(HDC dc, const RECT& strip) override;
  TNCObject* ItemAt(POINT windowPoint) override;
  bool Owns(const TNCObject* object) const override;
  void Open(TNCObject& item) override;
  bool OpenByKey(wchar_t key) override;
  bool DialogChar(WPARAM key, LPARAM flags) override;
  bool PopupOpen() const override { return popupOpen_; }
  void MenuSelect(WPARAM wParam, LPARAM lParam) override;
  void InitMenuPopup(HMENU menu) override;
  bool MeasureItem(MEASUREITEMSTRUCT& measure) override;
  bool DrawItem(const DRAWITEMSTRUCT& draw) override;
  void Restore(bool windowGoing) override;

  const std::vector<std::unique_ptr<TMenuBtn>>& Items() const { return items_; }
  // The index of the item whose popup is open, or -1.
  int OpenIndex() const;
  HMENU Menu() const { return menu_; }
  bool RightToLeft() const;
  // Lays the items out in the strip (window coordinates) without painting.
  void LayoutMenuBar(const RECT& strip);
  // Redraws one item alone from the painted background.
  void PaintItem(TMenuBtn& item);

 private:
  static LRESULT CALLBACK MenuFilterHook(int code, WPARAM wParam, LPARAM lParam);
  TMainMenu* FrameworkMenu() const;
  // A framework item of this menu bar, by command.
  TMenuItem* FrameworkItem(UINT command) const;
  // An item below the bar's own entries, in the popup open now, that has no
  // draw handler of its own: the skin draws it.
  TMenuItem* PopupItem(UINT command) const;
  void DrawCaption(HDC dc, const TMenuBtn& item, const RECT& rect);
  // OpenMenuBarPopup: the item's popup tracked until it closes.
  void OpenMenuBarPopup(TMenuBtn& item);
  // The message filter's part for this bar; true swallows the message.
  bool Filter(MSG& msg);
  void SwitchTo(int index);
  // Simulates a press on the item, as the mouse would.
  void PressLater(const TMenuBtn& item);
  bool CanOpen(const TMenuBtn& item) const;
  // The strip's rectangle in window coordinates now.
  RECT Strip() const;
  void MarkOwnerDrawn(HMENU menu);
  void UnmarkOwnerDrawn();

  SkinnedFrame& form_;
  TSkinData& data_;
  HMENU menu_ = nullptr;  // the window's menu, given back by Restore
  std::vector<std::unique_ptr<TMenuBtn>> items_;
  RECT barRect_{};     // window coordinates of the last paint
  Bitmap background_;  // what the last paint drew under the items
  bool painting_ = false;
  bool popupOpen_ = false;
  bool rebuildPending_ = false;
  OwnedFont font_;

  // While a popup is open: what became owner-drawn, to be given back.
  struct Entry {
    HMENU menu;
    int position;
    UINT id;
    UINT type;
    ULONG_PTR data;
  };
  std::vector<Entry> marked_;
  std::vector<std::unique_ptr<ForeignEntry>> foreign_;
};

// The skinned menu bar of a window; the manager hands it to the frame.
std::unique_ptr<SkinMenuBar> MakeSkinMenuBar(SkinnedFrame& form);

}  // namespace velotune::skin
