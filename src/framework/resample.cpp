#include "framework/resample.h"

#include <algorithm>
#include <vector>

namespace velotune {

namespace {

// The source pixels one new pixel covers along one side, with how much of
// each it covers.
struct Span {
  int first = 0;
  std::vector<double> weights;
};

std::vector<Span> Spans(int from, int to) {
  std::vector<Span> spans(static_cast<std::size_t>(to));
  const double step = static_cast<double>(from) / to;
  for (int d = 0; d < to; ++d) {
    const double a = d * step, b = (d + 1) * step;
    Span& span = spans[static_cast<std::size_t>(d)];
    span.first = static_cast<int>(a);
    for (int s = span.first; s < from && s < b; ++s) {
      const double w = std::min<double>(b, s + 1) - std::max<double>(a, s);
      if (w > 1e-9) span.weights.push_back(w);
    }
  }
  return spans;
}

}  // namespace

void ResampleArea(const PixelBlock& from, std::uint32_t* out, int width, int height, int outStride,
                  const std::function<bool(std::uint32_t)>& seeThrough, std::uint32_t keyOut,
                  std::uint32_t keyStandIn) {
  if (from.width <= 0 || from.height <= 0 || width <= 0 || height <= 0) return;
  const std::vector<Span> across = Spans(from.width, width), down = Spans(from.height, height);
  for (int y = 0; y < height; ++y) {
    const Span& v = down[static_cast<std::size_t>(y)];
    for (int x = 0; x < width; ++x) {
      const Span& h = across[static_cast<std::size_t>(x)];
      double r = 0, g = 0, b = 0, opaque = 0, total = 0;
      for (std::size_t j = 0; j < v.weights.size(); ++j) {
        const std::uint32_t* line =
            from.pixels + static_cast<std::ptrdiff_t>(v.first + static_cast<int>(j)) * from.stride;
        for (std::size_t i = 0; i < h.weights.size(); ++i) {
          const double w = v.weights[j] * h.weights[i];
          const std::uint32_t p = line[h.first + static_cast<int>(i)];
          total += w;
          if (seeThrough && seeThrough(p)) continue;
          opaque += w;
          r += w * ((p >> 16) & 0xFF);
          g += w * ((p >> 8) & 0xFF);
          b += w * (p & 0xFF);
        }
      }
      std::uint32_t& target = out[static_cast<std::ptrdiff_t>(y) * outStride + x];
      if (opaque <= 0 || opaque * 2 < total) {
        target = keyOut;
        continue;
      }
      const auto channel = [opaque](double sum) {
        return static_cast<std::uint32_t>(std::min(255.0, sum / opaque + 0.5));
      };
      std::uint32_t p = (channel(r) << 16) | (channel(g) << 8) | channel(b);
      if (seeThrough && seeThrough(p)) p = keyStandIn;
      target = p;
    }
  }
}

}  // namespace velotune
