// One entry of a menu: caption (with & before its accelerator), shortcut,
// enabled, checked, default and visible states, an image of the menu's image
// list, sub-items, a click event and, for owner-drawn menus, measure and draw
// events. Every item has a command id of its own in the program; its menu
// keeps the system's menu handles in step with it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/shortcuts.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace velotune {

class TMenu;

// Command ids of the framework's items. 0 and from 4096 on belong to menu
// entries the framework did not make; below 100, the dialog manager's own
// commands (IDOK and IDCANCEL, which Enter and Escape send without a control
// when a form has no such button) never reach an item.
constexpr unsigned kFirstMenuCommand = 100;
constexpr unsigned kMenuCommandLimit = 4096;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;
  const char* ClassName() const override { return "TMenuItem"; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // A caption of "-" makes the item a separator.
  bool IsLine() const { return caption_ == "-"; }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut shortCut);
  std::string ShortCutText() const { return ShortCutToText(shortCut_); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);

  unsigned Command() const { return command_; }
  // The item with that command id anywhere in the program, or null.
  static TMenuItem* FromCommand(unsigned command);

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(static_cast<std::size_t>(index)); }
  int IndexOf(const TMenuItem* item) const;
  void Add(TMenuItem* item) { Insert(Count(), item); }
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  TMenuItem* Parent() const { return parent_; }
  // The menu whose tree holds the item (null while it is in none); the
  // menu's own root item answers it too.
  TMenu* Menu() const;
  bool IsRoot() const { return rootOf_ != nullptr; }
  // This item or one below it with that command or shortcut, or null.
  TMenuItem* FindCommand(unsigned command);
  TMenuItem* FindShortCut(TShortCut shortCut);

  // Runs OnClick when the item is enabled. An item with sub-items is clicked
  // as its sub-menu opens, so that its handler can update them.
  virtual void Click();
  bool HasEvent(const std::string& name) const override;
  // A description nests items in a menu or in another item.
  void SetParentComponent(TComponent* parent) override;

#ifdef _WIN32
  // The menu handle of the sub-items (the menu bar or popup of a menu's root
  // item), made on first use; null for an item without sub-items.
  HMENU Handle();
  bool HandleAllocated() const {
    return handle_ != nullptr;
  }
  // Whether the item's entry is drawn by the framework: every item of an
  // owner-drawn menu except the entries of a menu bar.
  bool IsOwnerDraw() const;
  // WM_MEASUREITEM: the framework's size, then OnMeasureItem may change it.
  void MeasureItem(HDC dc, int* width, int* height);
  // WM_DRAWITEM: OnDrawItem, or the framework's look when it has none.
  void DrawItem(HDC dc, const RECT& rect, unsigned state);
  // The framework's own size and look, whatever the events say.
  void DefaultMeasure(HDC dc, int* width, int* height) const;
  void DefaultDraw(HDC dc, const RECT& rect, unsigned state) const;
  // The item whose sub-menu has that handle anywhere in the program, or null.
  static TMenuItem* FromHandle(HMENU handle);
#endif

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;

 private:
  friend class TMenu;
  // Tells the menu: `structure` when items came, went, or were shown or
  // hidden, otherwise only this item's entry changed.
  void Changed(bool structure);
  template <typename T>
  void Assign(T& field, const T& value, bool structure) {
    if (field == value) return;
    field = value;
    Changed(structure);
  }
#ifdef _WIN32
  void FillEntry(MENUITEMINFOA* info, std::string* text);
  void UpdateEntry();
  void RefillHandle();
  void ReleaseHandle();
  HMENU handle_ = nullptr;
#endif

  std::string caption_;
  TShortCut shortCut_ = scNone;
  bool enabled_ = true;
  bool checked_ = false;
  bool default_ = false;
  bool visible_ = true;
  int imageIndex_ = -1;
  unsigned command_ = 0;
  TMenuItem* parent_ = nullptr;
  TMenu* rootOf_ = nullptr;  // the menu, on its root item
  std::vector<TMenuItem*> items_;
};

#ifdef _WIN32
// Menu messages a form receives for the framework's items: WM_COMMAND (runs
// the item's click), WM_INITMENUPOPUP (clicks the item whose sub-menu
// opens), WM_MEASUREITEM and WM_DRAWITEM of owner-drawn items. True when the
// message was answered, with its result.
bool DispatchMenuMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
// WM_MENUCHAR for a popup whose items are owner-drawn (the system finds no
// text in them): the first enabled item whose caption marks the key as its
// accelerator is chosen. False when none does.
bool AnswerMenuChar(HMENU menu, char key, LRESULT* result);
// The system's check mark in `colour`, centred in `box`.
void DrawMenuCheckMark(HDC dc, const RECT& box, COLORREF colour);
#endif

}  // namespace velotune
