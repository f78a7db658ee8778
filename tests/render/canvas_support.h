// Helpers for pixel tests: canvases with fixed text metrics and readable
// pictures of which pixels are black.
#ifndef KOVA_TESTS_RENDER_CANVAS_SUPPORT_H_
#define KOVA_TESTS_RENDER_CANVAS_SUPPORT_H_

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "render/canvas.h"

namespace kova::test {

// Text widths by text; texts not listed are as wide as they have bytes.
using TextWidths = std::map<std::string, int>;

void UseFixedMetrics(Canvas& canvas, TextWidths widths, int height,
                     decltype(FixedTextMetrics::drawn) drawn = {});

bool IsBlack(const QImage& image, int x, int y);

// The black pixels of the picture, as (x, y) pairs in reading order.
std::vector<std::pair<int, int>> BlackPixels(const QImage& image);

// Black pixels in the rectangle [left, right) x [top, bottom).
int CountBlack(const QImage& image, int left, int top, int right, int bottom);

}  // namespace kova::test

#endif  // KOVA_TESTS_RENDER_CANVAS_SUPPORT_H_
