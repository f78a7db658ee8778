#include "render/raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace kova {
namespace {

void Span(const PixelPlane& plane, long long y, long long left, long long right, QRgb color) {
  RasterFill(plane, left, y, right + 1, y + 1, color);
}

}  // namespace

void RasterFill(const PixelPlane& plane, long long left, long long top, long long right,
                long long bottom, QRgb color) {
  left = std::max<long long>(left, 0);
  top = std::max<long long>(top, 0);
  right = std::min<long long>(right, plane.width);
  bottom = std::min<long long>(bottom, plane.height);
  if (left >= right) return;
  for (long long y = top; y < bottom; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(plane.bits + y * plane.bytesPerLine);
    std::fill(row + left, row + right, color);
  }
}

void RasterLine(const PixelPlane& plane, long long x0, long long y0, long long x1, long long y1,
                QRgb color) {
  const long long dx = x1 - x0;
  const long long dy = y1 - y0;
  const bool alongX = std::llabs(dx) >= std::llabs(dy);
  const long long steps = alongX ? std::llabs(dx) : std::llabs(dy);
  if (steps == 0) return;
  // Only the steps whose major coordinate falls inside the plane are walked,
  // so a line reaching far outside costs no more than one that does not.
  const long long start = alongX ? x0 : y0;
  const long long direction = (alongX ? dx : dy) > 0 ? 1 : -1;
  const long long limit = alongX ? plane.width : plane.height;
  long long first = 0;
  long long last = steps - 1;
  if (direction > 0) {
    first = std::max(first, -start);
    last = std::min(last, limit - 1 - start);
  } else {
    first = std::max(first, start - (limit - 1));
    last = std::min(last, start);
  }
  const long long minorDelta = alongX ? dy : dx;
  const long long minorStart = alongX ? y0 : x0;
  const long long minorLimit = alongX ? plane.height : plane.width;
  for (long long i = first; i <= last; ++i) {
    const long long major = start + direction * i;
    // Nearest minor coordinate, halves toward the start, so that a line never
    // reaches beyond its end point in either direction. The product exceeds
    // 64 bits for a line from far outside; the quotient never does.
    const long long offset = static_cast<long long>(
        (2 * static_cast<__int128>(i) * std::llabs(minorDelta) + steps - 1) / (2 * steps));
    const long long minor = minorStart + (minorDelta < 0 ? -offset : offset);
    if (minor < 0 || minor >= minorLimit) continue;
    const long long x = alongX ? major : minor;
    const long long y = alongX ? minor : major;
    reinterpret_cast<QRgb*>(plane.bits + y * plane.bytesPerLine)[x] = color;
  }
}

void RasterEllipse(const PixelPlane& plane, long long left, long long top, long long right,
                   long long bottom, QRgb outlineColor, bool fill, QRgb fillColor) {
  if (right <= left || bottom <= top) return;
  const long long rows = bottom - top;
  const double a = static_cast<double>(right - left - 1) / 2;
  const double b = static_cast<double>(rows - 1) / 2;
  // Rows are clipped to the plane; the neighbours of the first and last
  // visible row are still computed so that the outline joins up correctly.
  const long long visibleFirst = std::max<long long>(0, -top);
  const long long visibleLast = std::min<long long>(rows - 1, plane.height - 1 - top);
  if (visibleFirst > visibleLast) return;
  const long long from = std::max<long long>(0, visibleFirst - 1);
  const long long to = std::min(rows - 1, visibleLast + 1);
  // inset[i]: how far row from + i stays inside the bounding box on each side.
  std::vector<long long> inset(static_cast<size_t>(to - from + 1));
  for (long long row = from; row <= to; ++row) {
    double halfWidth = a;
    if (b > 0) {
      const double t = (static_cast<double>(row) - b) / b;
      halfWidth = a * std::sqrt(std::max(0.0, 1 - t * t));
    }
    inset[static_cast<size_t>(row - from)] =
        static_cast<long long>(std::floor(a - halfWidth + 0.5));
  }
  const long long lastColumn = right - 1;
  for (long long row = visibleFirst; row <= visibleLast; ++row) {
    long long l = left + inset[static_cast<size_t>(row - from)];
    long long r = lastColumn - (l - left);
    if (l > r) std::swap(l, r);
    if (fill) Span(plane, top + row, l, r, fillColor);
    // The outline reaches inward as far as the more inward neighbour row
    // starts, so that steep and flat parts alike are drawn without gaps.
    long long inner = r;
    if (row > 0 && row < rows - 1) {
      const long long above = inset[static_cast<size_t>(row - 1 - from)];
      const long long below = inset[static_cast<size_t>(row + 1 - from)];
      inner = std::max(l, left + std::max(above, below) - 1);
    }
    if (inner >= r - (inner - l)) {
      Span(plane, top + row, l, r, outlineColor);
    } else {
      Span(plane, top + row, l, inner, outlineColor);
      Span(plane, top + row, r - (inner - l), r, outlineColor);
    }
  }
}

}  // namespace kova
