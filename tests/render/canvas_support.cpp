#include "render/canvas_support.h"

namespace kova::test {

void UseFixedMetrics(Canvas& canvas, TextWidths widths, int height,
                     decltype(FixedTextMetrics::drawn) drawn) {
  canvas.UseFixedTextMetrics(FixedTextMetrics{
      [widths = std::move(widths)](const std::string& text) {
        const auto found = widths.find(text);
        return found == widths.end() ? static_cast<int>(text.size()) : found->second;
      },
      height, std::move(drawn)});
}

bool IsBlack(const QImage& image, int x, int y) {
  return image.valid(x, y) && (image.pixel(x, y) & 0xffffff) == 0;
}

std::vector<std::pair<int, int>> BlackPixels(const QImage& image) {
  std::vector<std::pair<int, int>> result;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (IsBlack(image, x, y)) result.emplace_back(x, y);
    }
  }
  return result;
}

int CountBlack(const QImage& image, int left, int top, int right, int bottom) {
  int count = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) count += IsBlack(image, x, y) ? 1 : 0;
  }
  return count;
}

}  // namespace kova::test
