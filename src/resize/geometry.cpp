#include "resize/geometry.h"

#include <climits>
#include <cmath>

namespace velotune {

int TruncateToInt(double x) {
  if (std::isnan(x)) return 0;
  if (x >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (x <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(x);
}

int RoundHalfUp(double x) {
  return TruncateToInt(x + 0.5);
}

double SafeRatio(double numerator, double denominator) {
  if (!(denominator > 0)) return 1.0;
  return numerator / denominator;
}

}  // namespace velotune
