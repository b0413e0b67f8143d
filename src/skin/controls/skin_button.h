// TSkinButton: push buttons drawn from the skin's push-button strip, with the
// button's own caption, font and font colour. The wrapper takes the mouse
// press over, so that the pressed and hover looks come from the skin, and
// clicks on release when the press began on the button and the mouse has not
// left it since.
#pragma once

#include "skin/controls/skin_control.h"

namespace velotune::skin {

class TSkinButton : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  const char* ClassName() const override { return "TSkinButton"; }
  bool BeforeMessage(TMessage& message) override;
  void AfterMessage(TMessage& message) override;
  void Paint(HDC dc, const RECT& rect) override;

  bool Transparent() const { return transparent_; }
  bool Hover() const { return hover_; }
  bool Pressed() const { return pressed_; }
  // The strip frame the button shows now.
  int CurrentFrame() const;

 protected:
  // A dialog's own push button (an error box's OK) is drawn from the skin too.
  void Attached() override;

 private:
  bool IsDefault() const;
  std::string CaptionText() const;
  void PressWithMouse(const TMessage& message);
  void ClickOnRelease();
  void DrawCaption(HDC dc, const RECT& rect, int frame, bool focused);

  std::string lastCaption_;
  bool transparent_ = false;
  bool noMouseForwarding_ = false;  // the control's mouse-down handling is not called
  bool hover_ = false;
  bool pressed_ = false;
};

}  // namespace velotune::skin
