// TSkinSpeedButton: speed buttons (windowless, painted by their parent) drawn
// from the skin's push-button strip like push buttons: pressed while held or
// down, hover while the mouse is over them; the glyph and caption on top.
#pragma once

#include "skin/controls/skin_control.h"

namespace velotune::skin {

class TSkinSpeedButton : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  const char* ClassName() const override { return "TSkinSpeedButton"; }
  void AttachControl(TWinSkinForm& form, TSkinData& data, bool fillBackground, HDC canvas) override;
  bool BeforeMessage(TMessage& message) override;
  void AfterMessage(TMessage& message) override;
  // Paints at the button's place in its parent's client area.
  void PaintWindow(HDC dc) override;
  void Paint(HDC dc, const RECT& rect) override;
  void Reapply() override;

  // The strip frame the button shows now (0: none, a flat button at rest).
  int CurrentFrame() const;

 private:
  bool hot_ = false;
  bool held_ = false;
};

}  // namespace velotune::skin
