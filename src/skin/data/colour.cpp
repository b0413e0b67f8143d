#include "skin/data/colour.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "skin/data/bitmap_ops.h"

namespace velotune::skin {

namespace {

// The classic Windows scheme, by system colour index.
constexpr TColor kClassicScheme[] = {
    RgbColour(212, 208, 200), RgbColour(58, 110, 165),  RgbColour(10, 36, 106),
    RgbColour(128, 128, 128), RgbColour(212, 208, 200), RgbColour(255, 255, 255),
    RgbColour(0, 0, 0),       RgbColour(0, 0, 0),       RgbColour(0, 0, 0),
    RgbColour(255, 255, 255), RgbColour(212, 208, 200), RgbColour(212, 208, 200),
    RgbColour(128, 128, 128), RgbColour(10, 36, 106),   RgbColour(255, 255, 255),
    RgbColour(212, 208, 200), RgbColour(128, 128, 128), RgbColour(128, 128, 128),
    RgbColour(0, 0, 0),       RgbColour(212, 208, 200), RgbColour(255, 255, 255),
    RgbColour(64, 64, 64),    RgbColour(212, 208, 200), RgbColour(0, 0, 0),
    RgbColour(255, 255, 225), RgbColour(181, 181, 181), RgbColour(0, 0, 128),
    RgbColour(166, 202, 240), RgbColour(192, 192, 192), RgbColour(49, 106, 197),
    RgbColour(236, 233, 216),
};

SystemColourQuery& Query() {
  static SystemColourQuery query;
  return query;
}

}  // namespace

void SetSystemColourQuery(SystemColourQuery query) {
  Query() = std::move(query);
}

TColor ResolveColour(TColor c) {
  if (!IsSystemColour(c)) return c & 0x00FFFFFF;
  const int index = static_cast<int>(c & 0xFF);
  if (Query()) return Query()(index) & 0x00FFFFFF;
  constexpr int kCount = sizeof(kClassicScheme) / sizeof(kClassicScheme[0]);
  return index < kCount ? kClassicScheme[index] : 0;
}

Pixel ToPixel(TColor c) {
  c = ResolveColour(c);
  return MakePixel(GetR(c), GetG(c), GetB(c));
}

TColor FromPixel(Pixel p) {
  return RgbColour(PixelRed(p), PixelGreen(p), PixelBlue(p));
}

TColor MixColour(TColor c1, TColor c2, int a) {
  c1 = ResolveColour(c1);
  c2 = ResolveColour(c2);
  const int d = a < 100 ? 100 : 1000;
  auto mix = [&](int x1, int x2) { return (x2 * (d - a) + x1 * a + d / 2) / d; };
  return RgbColour(mix(GetR(c1), GetR(c2)), mix(GetG(c1), GetG(c2)), mix(GetB(c1), GetB(c2)));
}

TColor ParseColourText(const std::string& text, TColor fallback) {
  int numbers[3] = {0, 0, 0};
  int found = 0;
  bool inNumber = false;
  bool any = false;
  for (unsigned char ch : text) {
    if (ch > ' ') any = true;
    if (std::isdigit(ch)) {
      if (!inNumber) {
        if (found == 3) break;
        inNumber = true;
        ++found;
      }
      // Modulo 256 digit by digit, so long runs cannot overflow.
      numbers[found - 1] = (numbers[found - 1] * 10 + (ch - '0')) % 256;
    } else {
      inNumber = false;
    }
  }
  if (!any) return fallback;
  return RgbColour(numbers[0], numbers[1], numbers[2]);
}

int SaturationMeasure(TColor c) {
  c = ResolveColour(c);
  const int r = GetR(c), g = GetG(c), b = GetB(c);
  if (std::max({r, g, b}) <= 159) return 200;
  const int hi = std::max({r, g, b});
  const int lo = std::min({r, g, b});
  // A ratio exactly half-way between two steps goes to the even one.
  return static_cast<int>(std::nearbyint(static_cast<double>(hi - lo) / hi * 255.0));
}

std::vector<TColor> GradientRamp(int count, TColor start, TColor end) {
  start = ResolveColour(start);
  end = ResolveColour(end);
  if (count <= 0) return {};
  if (count == 1)
    return {RgbColour((GetR(start) + GetR(end)) / 2, (GetG(start) + GetG(end)) / 2,
                      (GetB(start) + GetB(end)) / 2)};
  std::vector<TColor> ramp(static_cast<size_t>(count));
  const int c1 = count - 1;
  auto step = [&](int from, int to, int i) {
    return from + static_cast<int>((c1 / 2 + static_cast<int64_t>(i) * (to - from)) / c1);
  };
  for (int i = 0; i < count; ++i)
    ramp[i] = RgbColour(step(GetR(start), GetR(end), i), step(GetG(start), GetG(end), i),
                        step(GetB(start), GetB(end), i));
  return ramp;
}

const std::vector<TColor>& GradientRampCache::Get(int count, TColor start, TColor end) {
  for (const Entry& e : entries_)
    if (e.count == count && e.start == start && e.end == end) return e.ramp;
  Entry& slot = entries_[next_];
  next_ = (next_ + 1) % entries_.size();
  slot.count = count;
  slot.start = start;
  slot.end = end;
  slot.ramp = GradientRamp(count, start, end);
  return slot.ramp;
}

void FillGradient(Bitmap& dst, const Rect& rect, TColor start, TColor end, bool vertical) {
  const std::vector<TColor> ramp =
      GradientRamp(vertical ? rect.Height() : rect.Width(), start, end);
  for (size_t i = 0; i < ramp.size(); ++i) {
    const int at = static_cast<int>(i);
    const Rect line = vertical ? Rect{rect.left, rect.top + at, rect.right, rect.top + at + 1}
                               : Rect{rect.left + at, rect.top, rect.left + at + 1, rect.bottom};
    FillRect(dst, line, ToPixel(ramp[i]));
  }
}

}  // namespace velotune::skin
