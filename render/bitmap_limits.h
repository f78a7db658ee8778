// The largest bitmap a diagram may take: Qt's raster engine stops painting
// text somewhere above 8 million pixels in either direction, and a bitmap
// must fit into what the run's memory budget has left (memory_budget.h).
#ifndef KOVA_RENDER_BITMAP_LIMITS_H_
#define KOVA_RENDER_BITMAP_LIMITS_H_

#include <climits>

namespace kova {

constexpr long long kMaxBitmapSide = 8000000;

// A text is measured only until it is wider than kMaxBitmapSide; it then
// counts as this wide, and a side this long is named "more than
// kMaxBitmapSide" when refused.
constexpr int kWiderThanAnyBitmap = INT_MAX;

// The memory of a width x height bitmap of 32-bit pixels.
constexpr long long PictureBytes(long long width, long long height) { return width * height * 4; }

// Raises an Exception naming the size when a width x height bitmap of
// 32-bit pixels cannot be made; otherwise counts its bytes as spent by the
// run under way.
void CheckBitmapSize(long long width, long long height);

// Raises the Exception for a bitmap whose memory could not be had.
[[noreturn]] void RefuseForLackOfMemory(long long width, long long height);

}  // namespace kova

#endif  // KOVA_RENDER_BITMAP_LIMITS_H_
