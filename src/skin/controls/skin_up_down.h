// TSkinUpDown: spin controls drawn from the skin's spin strips ([UpDown.Vert]
// or [UpDown.Horz] and their arrow strips), each half in its own look, or as
// plain drawn buttons when the skin has no spin object. It wraps up-downs of
// a form, a spin that lives inside an edit, and any spin child window it is
// attached to (a tab control's scroll arrows).
#pragma once

#include "skin/controls/skin_control.h"

namespace velotune::skin {

class TSkinUpDown : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  const char* ClassName() const override { return "TSkinUpDown"; }
  bool BeforeMessage(TMessage& message) override;
  void Paint(HDC dc, const RECT& rect) override;

  // Made by an edit for a spin inside it: drawn clear of the edit's frame.
  void SetEmbedded() { embedded_ = true; }
  bool Embedded() const { return embedded_; }
  bool Pressed() const { return pressed_; }

 private:
  bool Horizontal() const;
  // Where the spin draws, in its client coordinates.
  RECT DrawingArea(const RECT& rect) const;
  void PaintFallback(HDC dc, const RECT& half, int look, int direction);

  bool pressed_ = false;
  int pressedHalf_ = 0;
  bool embedded_ = false;
};

}  // namespace velotune::skin
