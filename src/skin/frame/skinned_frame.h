// The skinned window as its non-client objects and the menu bar see it: its
// handle and skin, the frame's sizes, its state, the object under the mouse
// and a repaint of the frame. TWinSkinForm is the one implementation; the
// menus layer reaches the frame only through this.
#pragma once

#include <windows.h>

#include "skin/frame/frame_logic.h"

namespace velotune {
class TForm;
}

namespace velotune::skin {

class DpiScale;
class TNCObject;
class TSkinData;

class SkinnedFrame {
 public:
  virtual HWND Handle() const = 0;
  // The framework form, or null for a foreign window.
  virtual TForm* Form() const = 0;
  virtual TSkinData* Data() const = 0;
  virtual FrameSizes Frame() const = 0;
  virtual int MenuBarHeight() const = 0;
  virtual FrameState State() const = 0;
  virtual bool Active() const = 0;
  virtual bool RightToLeft() const = 0;
  // The pixel measures of this window.
  virtual const DpiScale& Scale() const = 0;

  // The object under the mouse; the frame's timer checks it before use.
  virtual TNCObject* Current() const = 0;
  virtual void SetCurrent(TNCObject* object) = 0;
  virtual void HideHint() = 0;
  virtual void PaintFrame(HDC dc = nullptr) = 0;

 protected:
  ~SkinnedFrame() = default;
};

}  // namespace velotune::skin
