// Colours as the skin stores them (0x00BBGGRR, or 0xFF000000 + a system colour
// index), their resolution, mixing, the gradient ramp and the saturation measure.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "skin/data/bitmap.h"

namespace velotune::skin {

using TColor = uint32_t;

constexpr TColor RgbColour(int r, int g, int b) {
  return static_cast<TColor>(r & 0xFF) | (static_cast<TColor>(g & 0xFF) << 8) |
         (static_cast<TColor>(b & 0xFF) << 16);
}
constexpr int GetR(TColor c) {
  return c & 0xFF;
}
constexpr int GetG(TColor c) {
  return (c >> 8) & 0xFF;
}
constexpr int GetB(TColor c) {
  return (c >> 16) & 0xFF;
}

constexpr TColor kWhite = RgbColour(255, 255, 255);
constexpr TColor kMagenta = RgbColour(255, 0, 255);
constexpr TColor kGrey = RgbColour(128, 128, 128);

// The system colour indexes the skin refers to (the values of COLOR_*).
enum SystemColourIndex : int {
  kColorScrollbar = 0,
  kColorMenu = 4,
  kColorWindowText = 8,
  kColorCaptionText = 9,
  kColorBtnFace = 15,
  kColorBtnShadow = 16,
  kColorBtnText = 18,
  kColorInactiveCaptionText = 19,
  kColorBtnHighlight = 20,
  kColorHighlight = 13,
  kColorHighlightText = 14,
  kColorMenuText = 7,
  kColor3dDkShadow = 21,
};

constexpr TColor SystemColour(int index) {
  return 0xFF000000u | static_cast<TColor>(index);
}
constexpr bool IsSystemColour(TColor c) {
  return (c & 0xFF000000u) == 0xFF000000u;
}

// Looks a system colour index up; the program installs the platform's query,
// the default answers the classic Windows scheme.
using SystemColourQuery = std::function<TColor(int index)>;
void SetSystemColourQuery(SystemColourQuery query);
TColor ResolveColour(TColor c);

Pixel ToPixel(TColor c);
TColor FromPixel(Pixel p);

// Channel-wise (c2 * (d - a) + c1 * a + d / 2) / d, d = 100 for a < 100, else
// 1000: MixColour(x, y, 150) is 15 % x and 85 % y.
TColor MixColour(TColor c1, TColor c2, int a);

// A colour text: every run of digits is a number, anything else separates;
// the first three numbers are red, green and blue modulo 256, missing ones 0.
// An empty (or blank) text gives fallback.
TColor ParseColourText(const std::string& text, TColor fallback);

// (max - min) / max of the channels scaled to 255 and rounded when a channel
// exceeds 159; otherwise 200.
int SaturationMeasure(TColor c);

// count colours from start to end, integer steps per channel; one entry (the
// midpoint) when count is 1.
std::vector<TColor> GradientRamp(int count, TColor start, TColor end);

// Keeps the last 16 ramps by (count, start, end) and hands them out again.
class GradientRampCache {
 public:
  const std::vector<TColor>& Get(int count, TColor start, TColor end);

 private:
  struct Entry {
    int count = -1;
    TColor start = 0;
    TColor end = 0;
    std::vector<TColor> ramp;
  };
  std::array<Entry, 16> entries_;
  size_t next_ = 0;
};

// Fills rect of dst with a gradient, one ramp entry per row (vertical) or column.
void FillGradient(Bitmap& dst, const Rect& rect, TColor start, TColor end, bool vertical);

}  // namespace velotune::skin
