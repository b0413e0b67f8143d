// TSkinCheckBox and TSkinRadioButton: check boxes and radio buttons drawn
// from the skin's strips (the [Buttons] CheckButton and RadioButton images)
// with the control's own caption, font and font colour.
#pragma once

#include "skin/controls/skin_control.h"

namespace velotune::skin {

// What the two share: the attach, the message filter and the painting; each
// says which strip it uses and which frame of it shows.
class TSkinCheckImage : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  bool BeforeMessage(TMessage& message) override;
  void AfterMessage(TMessage& message) override;
  void Paint(HDC dc, const RECT& rect) override;
  bool Transparent() const { return transparent_; }

 protected:
  virtual bool Radio() const = 0;
  virtual const Bitmap& Strip() const = 0;
  virtual int StripFrames() const = 0;
  virtual int Frame(int frameCount) const = 0;
  void PaintBackground(HDC dc, const RECT& rect) override;
  // A dialog's own check box is drawn from the skin too.
  void Attached() override;
  int checkValue_ = 0;  // BM_SETCHECK's wParam + 1

 private:
  bool transparent_ = false;
};

class TSkinCheckBox : public TSkinCheckImage {
 public:
  using TSkinCheckImage::TSkinCheckImage;
  const char* ClassName() const override { return "TSkinCheckBox"; }

 protected:
  bool Radio() const override { return false; }
  const Bitmap& Strip() const override;
  int StripFrames() const override;
  int Frame(int frameCount) const override;
};

class TSkinRadioButton : public TSkinCheckImage {
 public:
  using TSkinCheckImage::TSkinCheckImage;
  const char* ClassName() const override { return "TSkinRadioButton"; }

 protected:
  bool Radio() const override { return true; }
  const Bitmap& Strip() const override;
  int StripFrames() const override;
  int Frame(int frameCount) const override;
};

}  // namespace velotune::skin
