// The pixel measures of one window. Every measure of the skin engine (its own
// offsets and paddings, the skin's margins and sizes, the fonts it makes) is
// written as pixels at 96 dots per inch and goes through the scale of the
// window it is drawn in, which answers the same measure at that window's DPI.
// Sizes read off the skin's pictures are pixels of the picture set, which is
// drawn for its own DPI (96 for the one set the skin carries now).
#pragma once

namespace velotune::skin {

class DpiScale {
 public:
  static constexpr int kBaseDpi = 96;

  constexpr DpiScale() = default;
  explicit constexpr DpiScale(int dpi, int artDpi = kBaseDpi)
      : dpi_(dpi > 0 ? dpi : kBaseDpi), artDpi_(artDpi > 0 ? artDpi : kBaseDpi) {}

  constexpr int Dpi() const { return dpi_; }
  // The DPI the skin's pictures in use are drawn for.
  constexpr int ArtDpi() const { return artDpi_; }
  // `pixels` at 96 dots per inch, at this scale's DPI, rounded to the
  // nearest pixel (halves away from zero).
  constexpr int Px(int pixels) const { return Scaled(pixels, dpi_, kBaseDpi); }
  // `pixels` of the skin's pictures, at this scale's DPI.
  constexpr int Art(int pixels) const { return Scaled(pixels, dpi_, artDpi_); }

 private:
  static constexpr int Scaled(int pixels, int to, int from) {
    if (to == from) return pixels;
    const long long scaled = static_cast<long long>(pixels) * to;
    return static_cast<int>(scaled >= 0 ? (scaled + from / 2) / from
                                        : -((-scaled + from / 2) / from));
  }

  int dpi_ = kBaseDpi;
  int artDpi_ = kBaseDpi;
};

}  // namespace velotune::skin
