// Menus: a TMainMenu is the menu bar a form shows, a TPopupMenu opens where
// a control is right-clicked. Both hold a tree of TMenuItem below a root
// item, read from form descriptions as nested items, and draw glyphs from an
// image list when owner-drawn.
#pragma once

#include <cstdint>
#include <string>

#include "framework/component.h"
#include "framework/image_list.h"
#include "framework/menu_item.h"

namespace velotune {

class TForm;

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TFindItemKind { fkCommand, fkHandle, fkShortCut };

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  // The root item: its sub-items are the menu's items.
  TMenuItem* Items() const { return items_; }
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool ownerDraw);
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  // By name, as a description stores it: found when loading has ended.
  void SetImagesName(const std::string& name);
  TBiDiMode BiDiMode() const { return bidiMode_; }
  void SetBiDiMode(TBiDiMode mode);
  bool IsRightToLeft() const { return bidiMode_ != bdLeftToRight; }

  // The item with that command id, sub-menu handle (the menu's own handle
  // gives the root item) or shortcut, or null.
  TMenuItem* FindItem(std::uintptr_t value, TFindItemKind kind) const;
  // Clicks the item with that shortcut when it and every item above it are
  // visible and enabled; false when there is none.
  bool IsShortCut(TShortCut shortCut);

  void Loaded() override;

#ifdef _WIN32
  HMENU Handle() {
    return items_->Handle();
  }
  // The item shown at `position` of the sub-menu `menu` (invisible items
  // take no place), or null.
  TMenuItem* ItemAt(HMENU menu, int position) const;
#endif

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;
  void Notification(TComponent* freed) override;
  // A menu bar shows its top-level items as entries of the window's menu.
  virtual bool IsBar() const {
    return false;
  }
  // After the handles follow a change: the main menu tells its form.
  virtual void MenuChanged() {}

 private:
  friend class TMenuItem;
  // An item below changed (null: the menu's own look did).
  void ItemChanged(TMenuItem* item, bool structure);
#ifdef _WIN32
  // Null: every entry of the menu.
  void UpdateHandles(TMenuItem* item, bool structure);
#endif
  TMenuItem* items_;
  bool ownerDraw_ = false;
  TImageList* images_ = nullptr;
  std::string imagesName_;
  TBiDiMode bidiMode_ = bdLeftToRight;
};

class TMainMenu : public TMenu {
 public:
  using TMenu::TMenu;
  const char* ClassName() const override { return "TMainMenu"; }
#ifdef _WIN32
  // The form that shows it as its menu (TForm::SetMenu), or null.
  TForm* Form() const;
#endif

 protected:
  bool IsBar() const override {
    return true;
  }
#ifdef _WIN32
  // Redraws the form's menu bar and sends it CM_MENUCHANGED.
  void MenuChanged() override;
#endif
  void Notification(TComponent* freed) override;

 private:
  friend class TForm;
  TComponent* form_ = nullptr;
};

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}
  const char* ClassName() const override { return "TPopupMenu"; }
  // A right click opens it only while AutoPopup is set.
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool value) { autoPopup_ = value; }
  // The control it was last opened for.
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* component);
  bool HasEvent(const std::string& name) const override { return name == "OnPopup"; }

#ifdef _WIN32
  // Runs OnPopup, then shows the menu at the screen point (x, y) (its
  // top-right corner there for a right-to-left menu) and tracks it; the
  // chosen item's command goes to the form of the popup component (else the
  // owner form, else the main form), which runs the item's click.
  void Popup(int x, int y);
#endif

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;
  void Notification(TComponent* freed) override;

 private:
  bool autoPopup_ = true;
  TComponent* popupComponent_ = nullptr;
};

}  // namespace velotune
