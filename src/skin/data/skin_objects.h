// The skin parts the build fills from the skin's INI and bitmaps; the painters
// only read them.
#pragma once

#include <string>

#include "skin/data/bitmap.h"
#include "skin/data/colour.h"

namespace velotune::skin {

class TDataSkinObject {
 public:
  explicit TDataSkinObject(std::string name) : Name(std::move(name)) {}
  virtual ~TDataSkinObject() = default;

  int LeftWidth = 0;
  int TopHeight = 0;
  int RightWidth = 0;
  int BottomHeight = 0;
  Bitmap Map;
  int Trans = 0;
  int Tile = 0;
  std::string Name;
  int Frame = 0;
  int Style = 0;
  int NormalColour = -1;
  int MouseOverColour = -1;
  int PressedColour = -1;
  TColor NormalColour2 = 0;
  TColor MouseOverColour2 = 0;
  TColor PressedColour2 = 0;
};

// An object with a second image (frame edges, progress bar, tabs' border,
// the combo button's mirror, the spin buttons' glyphs).
class TDataSkinBorder : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  Bitmap Map2;
};

class TDataSkinButton : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  Bitmap CheckMap;
  Bitmap RadioMap;
  int RadioFrame = 0;
  int CheckFrame = 0;
  bool HasNormalColour2 = false;
  bool HasMouseOverColour2 = false;
  bool HasPressedColour2 = false;
};

class TDataSkinTitle : public TDataSkinObject {
 public:
  static constexpr TColor kNoTextColour = 0x1FFFFFFF;
  using TDataSkinObject::TDataSkinObject;
  // The title's own keys: the TextBack bitmap is Map.
  int TextShift = 0;
  int TextShiftVert = 0;
  int TextRightClip = 0;
  int TextAlignment = 0;
  int TextBackground = 0;
  int FontHeight = 14;
  int TextBackLeft = 0;
  int TextBackRight = 0;
  TColor ActiveTextColour = kNoTextColour;
  TColor InactiveTextColour = kNoTextColour;
};

class TDataSkinSysButton : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  int Action = 0;
  int Align = 0;
  int X = 0;
  int Y = 0;
  int CombineOp = -1;
  int Visibility = 0;
  int Visibility1 = 0;
};

class TDataSkinBoxLabel : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  int BackgroundLeftShift = 0;
  int BackgroundRightShift = 0;
  int BackgroundAlignment = 0;
};

}  // namespace velotune::skin
