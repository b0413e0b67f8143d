// Controls without a window of their own, painted by their parent: labels,
// images, shapes, bevels and speed buttons.
#pragma once

#include <string>
#include <vector>

#include "framework/control.h"
#include "framework/picture.h"

namespace velotune {

class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* owner);
  const char* ClassName() const override { return "TLabel"; }
  void Paint(HDC dc) override;
  void Loaded() override {
    TGraphicControl::Loaded();
    AdjustBounds();
  }
  int alignment = 0;  // taLeftJustify, taRightJustify, taCenter
  int layout = 0;     // tlTop, tlCenter, tlBottom
  bool autoSize = true;
  bool wordWrap = false;
  bool transparent = false;
  bool showAccelChar = true;
  // An auto-sized label never gets narrower or lower than its text,
  // whatever bounds it is given (a font scaled for another DPI does not
  // grow in step with them).
  void SetBounds(int left, int top, int width, int height) override;

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;
  void TextChanged() override;
  void FontChanged() override;
  void ColorChanged() override { Invalidate(); }

 private:
  void AdjustBounds(bool growOnly = false);
  bool adjusting_ = false;
};

class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* owner);
  const char* ClassName() const override { return "TImage"; }
  void Paint(HDC dc) override;
  bool ReadBinary(const std::string& name, const std::vector<std::uint8_t>& bytes) override;
  const Pixels& Picture() const { return picture_; }
  bool stretch = false;
  bool center = false;
  bool proportional = false;
  bool transparent = false;

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;

 private:
  Pixels picture_;
  bool pictureIsBitmap_ = false;
};

class TShape : public TGraphicControl {
 public:
  explicit TShape(TComponent* owner);
  const char* ClassName() const override { return "TShape"; }
  void Paint(HDC dc) override;
  TColor brushColor = clWhite;
  TColor penColor = clBlack;
  int shape = 0;  // stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;
};

class TBevel : public TGraphicControl {
 public:
  explicit TBevel(TComponent* owner);
  const char* ClassName() const override { return "TBevel"; }
  void Paint(HDC dc) override;
  int shape = 0;  // bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer
  bool raised = false;

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;
};

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* owner);
  const char* ClassName() const override { return "TSpeedButton"; }
  void Paint(HDC dc) override;
  // The glyph and caption alone, moved down and right by a pixel when sunken:
  // what a skin draws over its own face.
  void PaintContent(HDC dc, bool sunken);
  bool ReadBinary(const std::string& name, const std::vector<std::uint8_t>& bytes) override;
  bool Down() const { return down_; }
  void SetDown(bool down);
  void Click() override;
  int groupIndex = 0;
  bool allowAllUp = false;
  bool flat = false;
  int layout = 0;  // blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom
  int margin = -1;
  int spacing = 4;

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;
  void WndProc(TMessage& message) override;

 private:
  Pixels glyph_;
  bool down_ = false;
  bool hot_ = false;
};

// Draws pixels into the rectangle, scaled; `transparentKey` (0xRRGGBB, or
// negative for none) is left undrawn. With `smooth` a picture of another
// size is resampled by area first (pictures grown or shrunk for the DPI).
void DrawPixels(HDC dc, const Pixels& pixels, const RECT& target, long transparentKey,
                bool smooth = false);

}  // namespace velotune
