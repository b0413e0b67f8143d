// TSkinEdit: edits with a flat frame in the skin's shadow colour over the
// system's sunken edge. A spin living inside the edit is found on the first
// paint and drawn from the skin too.
#pragma once

#include "skin/controls/skin_control.h"

namespace velotune::skin {

class TSkinUpDown;

class TSkinEdit : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  const char* ClassName() const override { return "TSkinEdit"; }
  bool BeforeMessage(TMessage& message) override;
  void AfterMessage(TMessage& message) override;
  // The frame lies outside the client area: painted into the window's DC.
  void PaintWindow(HDC dc) override;
  void Paint(HDC dc, const RECT& rect) override;

  // The wrapper of the spin inside the edit, once found (owned by this one).
  TSkinUpDown* Spin() const { return spin_; }

 protected:
  void Notification(TComponent* freed) override;

 private:
  void FindSpin();
  void PaintPrintFrame(HDC dc);

  TSkinUpDown* spin_ = nullptr;
};

}  // namespace velotune::skin
