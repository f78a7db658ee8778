#include "render/raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace kova {
namespace {

void FillPixels(QRgb* from, long long count, QRgb color) {
  // White, the usual colour, is one byte four times over: the C library's
  // memset fills that several times faster than a loop of 32-bit stores.
  if ((color & 0xffu) * 0x01010101u == color) {
    std::memset(from, static_cast<int>(color & 0xffu), static_cast<size_t>(count) * sizeof(QRgb));
  } else {
    // A loop of single stores is slow for long box edges: fill a short
    // stretch and copy it onto the rest, doubling each time.
    long long done = std::min<long long>(count, 16);
    std::fill(from, from + done, color);
    while (done < count) {
      const long long copied = std::min(done, count - done);
      std::memcpy(from + done, from, static_cast<size_t>(copied) * sizeof(QRgb));
      done += copied;
    }
  }
}

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
  if (left >= right || top >= bottom) return;
  // Whole rows lying back to back are one block: filling it at once lets the
  // library stream it to memory, much faster for a large bitmap.
  if (left == 0 && right == plane.width &&
      plane.bytesPerLine == static_cast<qsizetype>(plane.width) * qsizetype{sizeof(QRgb)}) {
    FillPixels(reinterpret_cast<QRgb*>(plane.bits + top * plane.bytesPerLine),
               (bottom - top) * right, color);
    return;
  }
  for (long long y = top; y < bottom; ++y) {
    FillPixels(reinterpret_cast<QRgb*>(plane.bits + y * plane.bytesPerLine) + left, right - left,
               color);
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
  if (first > last) return;
  // Box edges are horizontal: one block of pixels.
  if (alongX && dy == 0) {
    const long long from = start + direction * first;
    const long long to = start + direction * last;
    RasterFill(plane, std::min(from, to), y0, std::max(from, to) + 1, y0 + 1, color);
    return;
  }
  // The minor coordinate is the nearest one, halves toward the start, so that
  // a line never reaches beyond its end point in either direction: step i
  // lies offset = (2 i |minorDelta| + steps - 1) / (2 steps) away from
  // minorStart. Offset and remainder are carried from step to step, as each
  // step adds 2 |minorDelta| <= 2 steps to the numerator.
  const long long rise = 2 * std::llabs(minorDelta);
  const long long run = 2 * steps;
  const long long minorDirection = minorDelta < 0 ? -1 : 1;
  // The first step's numerator exceeds 64 bits for a line from far outside;
  // its quotient and remainder never do.
  const __int128 numerator = static_cast<__int128>(first) * rise + steps - 1;
  long long offset = static_cast<long long>(numerator / run);
  long long remainder = static_cast<long long>(numerator % run);
  for (long long i = first; i <= last; ++i) {
    const long long major = start + direction * i;
    const long long minor = minorStart + minorDirection * offset;
    if (minor >= 0 && minor < minorLimit) {
      const long long x = alongX ? major : minor;
      const long long y = alongX ? minor : major;
      reinterpret_cast<QRgb*>(plane.bits + y * plane.bytesPerLine)[x] = color;
    }
    remainder += rise;
    if (remainder >= run) {
      remainder -= run;
      ++offset;
    }
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
