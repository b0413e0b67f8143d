// Hot objects of the non-client area: the caption buttons (and, with the
// menus, the menu-bar items). Each knows its rectangle in window coordinates
// and its state, and becomes the form's current object under the mouse.
#pragma once

#include <windows.h>

#include "skin/data/bitmap.h"
#include "skin/data/skin_objects.h"
#include "skin/frame/frame_logic.h"

namespace velotune::skin {

class CaptionPainter;
class SkinnedFrame;

class TNCObject {
 public:
  TNCObject(SkinnedFrame& form, const TDataSkinObject* data) : form_(form), data_(data) {}
  virtual ~TNCObject() = default;
  TNCObject(const TNCObject&) = delete;
  TNCObject& operator=(const TNCObject&) = delete;

  virtual void MouseDown();
  virtual void MouseUp();
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void Paint() {}

  Rect Bounds;
  bool Visible = false;
  bool Enabled = true;
  NcState State = ncNormal;
  const TDataSkinObject* Data() const { return data_; }
  bool Contains(int x, int y) const {
    return x >= Bounds.left && x < Bounds.right && y >= Bounds.top && y < Bounds.bottom;
  }

 protected:
  SkinnedFrame& form_;
  const TDataSkinObject* data_;
};

// One caption button, from one TDataSkinSysButton of the skin.
class TWinSysButton : public TNCObject {
 public:
  TWinSysButton(SkinnedFrame& form, const TDataSkinSysButton& data, CaptionPainter& painter);
  const TDataSkinSysButton& Button() const { return button_; }
  int Action() const { return button_.Action; }
  // Actions 3 and 11 show the window's icon and open the system menu.
  bool IsIcon() const { return button_.Action == 3 || button_.Action == 11; }
  // The bitmap drawn: the skin's, or for an icon button the window icon.
  const Bitmap& Image() const;
  int Frames() const;
  void SetIconImage(const Bitmap* icon) { icon_ = icon; }
  void Paint() override;

 private:
  const TDataSkinSysButton& button_;
  CaptionPainter& painter_;
  const Bitmap* icon_ = nullptr;
};

}  // namespace velotune::skin
