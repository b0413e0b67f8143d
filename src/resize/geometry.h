// Plain geometry and the rounding rules the resize kit uses for every
// coordinate and font size it computes.
#pragma once

namespace velotune {

struct KitRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const KitRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

// A control's bounds as left, top, width and height.
struct KitBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const KitBounds& o) const {
    return left == o.left && top == o.top && width == o.width && height == o.height;
  }
  bool operator!=(const KitBounds& o) const { return !(*this == o); }
};

struct KitPoint {
  int x = 0;
  int y = 0;
  bool operator==(const KitPoint& o) const { return x == o.x && y == o.y; }
};

struct KitSize {
  int width = 0;
  int height = 0;
  bool operator==(const KitSize& o) const { return width == o.width && height == o.height; }
};

// Adds 0.5 and truncates toward zero, so negative halves move toward zero:
// RoundHalfUp(-3.5) is -3. Values outside the int range (or not numbers)
// saturate instead of overflowing.
int RoundHalfUp(double x);

// Truncates toward zero, saturating like RoundHalfUp.
int TruncateToInt(double x);

// numerator / denominator, or 1.0 when the denominator is not positive, so a
// missing screen density or design size leaves a ratio neutral.
double SafeRatio(double numerator, double denominator);

}  // namespace velotune
