#include "render/diagram_font.h"

#include <algorithm>
#include <cstdlib>

namespace kova {

QFont StyledQFont(const DiagramFont& font) {
  QFont result(font.name);
  result.setBold(font.bold);
  result.setItalic(font.italic);
  result.setUnderline(font.underline);
  result.setStrikeOut(font.strikeOut);
  return result;
}

QFont PointSizedQFont(const DiagramFont& font) {
  constexpr long long kMaxPoints = 1000;
  const long long points = std::llabs(static_cast<long long>(font.size));
  QFont result = StyledQFont(font);
  result.setPointSize(static_cast<int>(std::clamp<long long>(points, 1, kMaxPoints)));
  return result;
}

QFont ToQFont(const DiagramFont& font) {
  QFont result = StyledQFont(font);
  // Points at 96 dpi, rounded as the platform's MulDiv(size, 96, 72) does.
  const long long points = std::llabs(static_cast<long long>(font.size));
  const long long pixels = std::clamp<long long>((points * 96 + 36) / 72, 1, 10000);
  result.setPixelSize(static_cast<int>(pixels));
  return result;
}

}  // namespace kova
