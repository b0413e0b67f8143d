// The skinned menu bar as a skinned window sees it: the strip below the
// caption that shows the window's menu, its items hot objects like the
// caption buttons, their popups opened and tracked by the bar. The menus
// layer makes it and the manager hands it in (SkinHost::MakeMenuBar); the
// frame only calls it, through the seam that holds it.
#pragma once

#include <windows.h>

#include <memory>

namespace velotune::skin {

class SkinFrame;
class SkinHost;
class SkinnedFrame;
class TNCObject;

class SkinMenuBar {
 public:
  virtual ~SkinMenuBar() = default;
  // Items from the window's menu (and the framework form's Menu); the
  // window's own menu bar is removed, the engine draws the strip instead.
  virtual void Build() = 0;
  // The framework reported a menu change: the window's new menu, if any, is
  // taken and the items are rebuilt.
  virtual void MenuChanged() = 0;
  // Draws the strip (window coordinates of the DC).
  virtual void Paint(HDC dc, const RECT& strip) = 0;
  // The item under a point in window coordinates, or null.
  virtual TNCObject* ItemAt(POINT windowPoint) = 0;
  virtual bool Owns(const TNCObject* object) const = 0;
  // A press on an item: its command, or its popup tracked until it closes.
  // The bar (and the window) may be gone when this returns.
  virtual void Open(TNCObject& item) = 0;
  // SC_KEYMENU with a character (0 opens the first item): false without a
  // matching item.
  virtual bool OpenByKey(wchar_t key) = 0;
  // The framework's dialog character (WM_SYSCHAR): a press on the matching
  // item is simulated; false without one.
  virtual bool DialogChar(WPARAM key, LPARAM flags) = 0;
  virtual bool PopupOpen() const = 0;
  // Menu messages the window receives while a popup of the bar is open.
  virtual void MenuSelect(WPARAM wParam, LPARAM lParam) = 0;
  virtual void InitMenuPopup(HMENU menu) = 0;
  virtual bool MeasureItem(MEASUREITEMSTRUCT& measure) = 0;
  virtual bool DrawItem(const DRAWITEMSTRUCT& draw) = 0;
  // Gives the window its menu bar back; with `windowGoing` a foreign
  // window's menu is destroyed instead, as the window would have done.
  virtual void Restore(bool windowGoing) = 0;
};

// Where the skinned window holds its menu bar.
class MenuBarSeam {
 public:
  SkinMenuBar* Bar() const { return bar_.get(); }
  // Takes the window's menu over: the manager's bar draws the strip of the
  // system's menu-bar height. While the window is being attached its client
  // area keeps its size.
  void Take(SkinHost& host, SkinnedFrame& frame, SkinFrame& sizes, bool attaching);
  // The height the system's own menu bar took; 0 without a bar.
  int SystemHeight() const { return bar_ ? systemHeight_ : 0; }
  // Gives the window its menu bar back (see SkinMenuBar::Restore); the hot
  // object is forgotten when it was one of the bar's items.
  void Release(bool windowGoing, SkinnedFrame& frame);

 private:
  std::unique_ptr<SkinMenuBar> bar_;
  int systemHeight_ = 0;  // what the system's own menu bar took
};

}  // namespace velotune::skin
