// What a skinned form needs from the skin manager that owns it. The frame
// layer calls up through this, so that it never depends on the manager, and
// reaches the menus layer's parts through it: the manager hands them in.
#pragma once

#include <windows.h>

#include <memory>

namespace velotune {
class TMenuItem;
}

namespace velotune::skin {

class DpiScale;
class SkinMenuBar;
class SkinnedFrame;
class TSkinData;
class TWinSkinForm;

class SkinHost {
 public:
  virtual ~SkinHost() = default;
  // The manager is switching skins and wants no popups now.
  virtual bool Busy() const = 0;
  virtual void MarkSkinning() = 0;
  // Whether the popup being opened is the skinned system menu.
  virtual void SystemMenuOpen(bool open) = 0;
  // Wraps the form's controls, or hands a foreign window's children over.
  virtual void SkinChildControls(TWinSkinForm& form) = 0;
  virtual void ForgetWindow(HWND window) = 0;
  // The skinned menu bar of a window that shows a menu; null leaves the
  // window its own.
  virtual std::unique_ptr<SkinMenuBar> MakeMenuBar(SkinnedFrame& frame) = 0;
  // The painters of the skinned system menu's items, at the window's scale.
  virtual void MeasureSystemMenuItem(const TSkinData& skin, const TMenuItem& item,
                                     MEASUREITEMSTRUCT& measure, const DpiScale& scale) = 0;
  virtual void PaintSystemMenuItem(const TSkinData& skin, const TMenuItem& item,
                                   const DRAWITEMSTRUCT& draw, const DpiScale& scale) = 0;
  // A window's menu loop begins or ends: skin changes wait until no menu
  // loop runs, since the loop's owner is used again when it returns.
  virtual void MenuLoop(bool entering) { (void)entering; }
  // A foreign window went while nobody watched (the hook set aside): its
  // skinned object is to be freed once its last message is handled.
  virtual void WindowGone(TWinSkinForm& form) { (void)form; }
  // The MDI seams: the program's forms are never MDI windows.
  virtual bool ShowsMaximizedMdiChild() const { return false; }
  virtual HWND MdiClientWindow() const { return nullptr; }
};

}  // namespace velotune::skin
