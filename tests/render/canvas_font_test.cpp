// Text drawn with a real font: the font's settings reach the glyphs.
#include <gtest/gtest.h>

#include <QPainter>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "render/bitmap_limits.h"
#include "render/canvas.h"
#include "render/canvas_support.h"

namespace kova {
namespace {

int CountInk(const QImage& image, QRgb paper) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == paper ? 0 : 1;
  }
  return count;
}

class CanvasFont : public ::testing::Test {
 protected:
  void SetUp() override {
    canvas.SetSize(200, 100);
    canvas.FillRect(0, 0, 200, 100);
  }
  Canvas canvas;
};

TEST_F(CanvasFont, LargerSizeMeasuresTallerAndWider) {
  DiagramFont font;
  font.size = 8;
  canvas.SetFont(font);
  const int smallWidth = canvas.TextWidth("Hallo Welt");
  const int smallHeight = canvas.TextHeight("Hallo Welt");
  font.size = 16;
  canvas.SetFont(font);
  EXPECT_GT(canvas.TextWidth("Hallo Welt"), smallWidth);
  EXPECT_GT(canvas.TextHeight("Hallo Welt"), smallHeight);
  EXPECT_EQ(canvas.TextWidth(""), 0);
}

// Qt's own sum of advances wraps beyond 2^25 pixels and its text layout takes
// memory for every character at once, so a long text is measured in pieces;
// they add up to its width. A text wider than any bitmap is measured only
// that far, which is all drawing needs to refuse it.
TEST_F(CanvasFont, LongTextIsMeasuredInPiecesUntilWiderThanAnyBitmap) {
  DiagramFont font;
  font.size = 72;
  canvas.SetFont(font);
  // A dot's advance has a fraction that one dot's width would round away.
  const double dot = canvas.TextWidth(std::string(1000, '.')) / 1000.0;
  const std::string narrow(static_cast<size_t>(kMaxBitmapSide * 3 / 4 / dot), '.');
  EXPECT_NEAR(canvas.TextWidth(narrow), dot * static_cast<double>(narrow.size()), dot * 0.001 * narrow.size());
  const long long glyph = canvas.TextWidth("W");
  const std::string wide(static_cast<size_t>((1LL << 26) / glyph), 'W');
  EXPECT_EQ(canvas.TextWidth(wide), kWiderThanAnyBitmap);
}

TEST_F(CanvasFont, GlyphsTakeTheFontColourInsideTheirCell) {
  DiagramFont font;
  font.color = QColor(200, 0, 0);
  canvas.SetFont(font);
  canvas.TextOut(20, 30, "Menge \xfc");
  const QImage& image = canvas.Image();
  bool red = false;
  const int right = 20 + canvas.TextWidth("Menge \xfc");
  const int bottom = 30 + canvas.TextHeight("Menge \xfc");
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (image.pixel(x, y) == 0xffffffff) continue;
      EXPECT_TRUE(x >= 20 && x < right + 2 && y >= 30 && y < bottom) << x << "," << y;
      red = red || (qRed(image.pixel(x, y)) > 150 && qGreen(image.pixel(x, y)) < 100);
    }
  }
  EXPECT_TRUE(red);
}

TEST_F(CanvasFont, TurnedTextDrawsAboveItsStart) {
  DiagramFont font;
  font.orientation = 900;
  canvas.SetFont(font);
  canvas.TextOut(50, 90, "Schleife");
  const QImage& image = canvas.Image();
  EXPECT_GT(CountInk(image.copy(40, 0, 40, 91), 0xffffffff), 0);
  EXPECT_EQ(CountInk(image.copy(70, 0, 130, 100), 0xffffffff), 0);

  // A cell of the most negative size, turned, paints nothing.
  const QImage drawn = image.copy();
  constexpr int kMostNegative = std::numeric_limits<int>::min();
  canvas.UseFixedTextMetrics({[](const std::string&) { return kMostNegative; }, kMostNegative, nullptr});
  canvas.TextOut(50, 90, "Schleife");
  EXPECT_EQ(canvas.Image(), drawn);
}

TEST_F(CanvasFont, StylesChangeTheInk) {
  DiagramFont font;
  canvas.TextOut(10, 10, "Text");
  const int plain = CountInk(canvas.Image(), 0xffffffff);
  for (auto style : {&DiagramFont::bold, &DiagramFont::underline, &DiagramFont::strikeOut}) {
    DiagramFont styled = font;
    styled.*style = true;
    canvas.SetFont(styled);
    canvas.FillRect(0, 0, 200, 100);
    canvas.TextOut(10, 10, "Text");
    EXPECT_GT(CountInk(canvas.Image(), 0xffffffff), plain);
  }
}

// The canvas keeps the picture of a text it has drawn; a copy must give the
// pixels Qt draws, clipped at the bitmap's edges, in every font alike.
TEST_F(CanvasFont, KeptTextsDrawAsQtDrawsThem) {
  QImage expected(200, 100, QImage::Format_RGB32);
  expected.fill(Qt::white);
  QPainter painter(&expected);
  DiagramFont font;
  font.name = "DejaVu Sans";
  const std::vector<std::pair<int, int>> places = {{5, 5}, {-7, 40}, {150, 90}, {60, -4}, {5, 70}};
  for (int round = 0; round < 2; ++round) {
    for (size_t i = 0; i < places.size(); ++i) {
      DiagramFont styled = font;
      styled.italic = i == 1;
      styled.bold = i == 2;
      styled.underline = i == 3;
      styled.color = i == 4 ? QColor(200, 0, 0) : QColor(Qt::black);
      canvas.SetFont(styled);
      const auto [x, y] = places[i];
      const std::string text = "Menge \xfc fj";
      canvas.TextOut(x, y, text);
      const QFontMetrics metrics(ToQFont(styled));
      painter.fillRect(x, y, canvas.TextWidth(text), canvas.TextHeight(text), Qt::white);
      painter.setFont(ToQFont(styled));
      painter.setPen(styled.color.Shown());
      painter.drawText(QPoint(x, y + metrics.ascent()), QString::fromLatin1(text.c_str()));
    }
  }
  painter.end();
  EXPECT_EQ(canvas.Image(), expected);
}

}  // namespace
}  // namespace kova
