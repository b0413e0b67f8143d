// The pixel measures of one window. Every measure of the skin engine (its own
// offsets and paddings, the skin's margins and sizes, the fonts it makes) is
// written as pixels at 96 dots per inch and goes through the scale of the
// window it is drawn in, which answers the same measure at that window's DPI.
#pragma once

namespace velotune::skin {

class DpiScale {
 public:
  static constexpr int kBaseDpi = 96;

  constexpr DpiScale() = default;
  explicit constexpr DpiScale(int dpi) : dpi_(dpi > 0 ? dpi : kBaseDpi) {}

  constexpr int Dpi() const { return dpi_; }
  // `pixels` at 96 dots per inch, at this scale's DPI, rounded to the
  // nearest pixel (halves away from zero).
  constexpr int Px(int pixels) const {
    if (dpi_ == kBaseDpi) return pixels;
    const long long scaled = static_cast<long long>(pixels) * dpi_;
    return static_cast<int>(scaled >= 0 ? (scaled + kBaseDpi / 2) / kBaseDpi
                                        : -((-scaled + kBaseDpi / 2) / kBaseDpi));
  }

 private:
  int dpi_ = kBaseDpi;
};

}  // namespace velotune::skin
