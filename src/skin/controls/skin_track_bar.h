// TSkinTrackBar: a track bar whose channel and thumb are drawn from the
// skin's track and thumb images through the control's custom-draw
// notifications; the system keeps drawing the tick marks.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "skin/controls/skin_control.h"

namespace velotune::skin {

class TSkinTrackBar : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  const char* ClassName() const override { return "TSkinTrackBar"; }
  bool BeforeMessage(TMessage& message) override;
  void Reapply() override;

 private:
  LRESULT CustomDraw(const NMCUSTOMDRAW& draw);
  void DrawThumb(HDC dc);
  void DrawChannel(HDC dc);
};

}  // namespace velotune::skin
