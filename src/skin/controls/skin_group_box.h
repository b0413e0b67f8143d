// TSkinGroupBox: group boxes drawn as a flat rounded outline in the skin's
// shadow colour with the caption interrupting it, the box's labels painted
// again over it. A dialog's own group box keeps its system drawing under a
// cover of the face colour.
#pragma once

#include "skin/controls/skin_control.h"

namespace velotune::skin {

class TSkinGroupBox : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  const char* ClassName() const override { return "TSkinGroupBox"; }
  bool BeforeMessage(TMessage& message) override;
  void Paint(HDC dc, const RECT& rect) override;

 protected:
  void Attached() override { paintChildren_ = control_ != nullptr; }

 private:
  bool paintChildren_ = false;
};

}  // namespace velotune::skin
