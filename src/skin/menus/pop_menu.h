// Popup menu windows (class "#32768") in the skin's look: each one the
// manager's creation hook hands over gets a TWinSkinPopMenu, which paints the
// "MenuBackground" image as the window's frame and background and keeps it,
// so that owner-drawn items can lie on the background under them.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "skin/data/bitmap.h"
#include "skin/data/skin_data.h"
#include "skin/frame/window_subclass.h"

namespace velotune::skin {

class PopupMenuWindows;

class TWinSkinPopMenu {
 public:
  TWinSkinPopMenu(PopupMenuWindows& list, HWND window, int level);
  ~TWinSkinPopMenu();
  TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
  TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

  HWND Window() const { return window_; }
  int Level() const { return level_; }
  // The menu the window shows (asked once it is known).
  HMENU Menu();
  // The background at the window's current size, rendered when needed;
  // null without a skin image.
  const Bitmap* Background();
  // Where the client area's origin lies in the window.
  POINT ClientOffset() const;

 private:
  static LRESULT Route(void* owner, HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);
  void PaintBorder(HDC dc);

  PopupMenuWindows& list_;
  HWND window_;
  int level_;
  HMENU menu_ = nullptr;
  WindowSubclass subclass_;
  Bitmap background_;
};

// The popup windows being shown, kept by the skin manager: it adopts each new
// one, the list answers which background belongs to a menu, and an entry
// goes when its window goes.
class PopupMenuWindows {
 public:
  // `skin` gives the skin to paint with, or null while nothing is skinned.
  explicit PopupMenuWindows(std::function<TSkinData*()> skin);
  ~PopupMenuWindows();
  PopupMenuWindows(const PopupMenuWindows&) = delete;
  PopupMenuWindows& operator=(const PopupMenuWindows&) = delete;

  // The list of the program's manager, or null.
  static PopupMenuWindows* Current();

  void Adopt(HWND window);
  void Forget(HWND window);
  TWinSkinPopMenu* Find(HWND window) const;
  TWinSkinPopMenu* FindByMenu(HMENU menu) const;
  // The first-level popup shown now, or null.
  TWinSkinPopMenu* Top() const;
  TSkinData* Skin() const { return skin_(); }
  size_t Count() const { return popups_.size(); }

 private:
  friend class TWinSkinPopMenu;
  std::function<TSkinData*()> skin_;
  std::vector<std::unique_ptr<TWinSkinPopMenu>> popups_;
};

// The part of the popup background under an item of `menu` (rect in the
// popup's client coordinates); false when no skinned popup shows the menu.
bool PopupBackgroundUnder(HMENU menu, const RECT& rect, Bitmap* out);

}  // namespace velotune::skin
