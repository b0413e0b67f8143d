// What a skinned form needs from the skin manager that owns it. The frame
// layer calls up through this, so that it never depends on the manager.
#pragma once

#include <windows.h>

namespace velotune::skin {

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
  // The MDI seams: the program's forms are never MDI windows.
  virtual bool ShowsMaximizedMdiChild() const { return false; }
  virtual HWND MdiClientWindow() const { return nullptr; }
};

}  // namespace velotune::skin
