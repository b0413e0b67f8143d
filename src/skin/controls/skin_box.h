// TSkinBox: panels (and other containers the rules give it) filled with the
// skin's face colour, their bevels flattened to one outline in the skin's
// shadow colour, as group boxes are drawn; the children are wrapped on their
// own by the manager.
#pragma once

#include "skin/controls/skin_control.h"

namespace velotune::skin {

class TSkinBox : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  const char* ClassName() const override { return "TSkinBox"; }
  void AttachControl(TWinSkinForm& form, TSkinData& data, bool fillBackground, HDC canvas) override;
  void Restore() override;
  bool BeforeMessage(TMessage& message) override;
  void AfterMessage(TMessage& message) override;
  void Paint(HDC dc, const RECT& rect) override;

 private:
  bool Bevelled() const;
};

}  // namespace velotune::skin
