#include "render/geometry.h"

#include <algorithm>
#include <cmath>

#include "render/canvas.h"

namespace kova {

long long Nearest(double value) {
  // The default floating-point rounding mode rounds halves to even. Values
  // beyond any bitmap are held at a far but safe distance.
  constexpr double kFar = 4e18;
  if (std::isnan(value)) return 0;
  return static_cast<long long>(std::nearbyint(std::clamp(value, -kFar, kFar)));
}

long long SumFirst(const std::vector<long long>& values, long long last) {
  long long sum = 0;
  for (long long i = 0; i <= last && i < static_cast<long long>(values.size()); ++i) {
    sum += values[static_cast<size_t>(i)];
  }
  return sum;
}

void DrawTopLeft(Canvas& canvas, long long left, long long top, long long right, long long bottom) {
  canvas.MoveTo(left, bottom - 1);
  canvas.LineTo(left, top);
  canvas.LineTo(right - 1, top);
}

}  // namespace kova
