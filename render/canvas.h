// The drawing target of a diagram: a white 32-bit bitmap with a black
// one-pixel pen, a white brush and the diagram font. Lines, rectangles and
// ellipses follow the platform canvas's pixel rules exactly (see raster.h);
// text goes through Qt's painter.
#ifndef KOVA_RENDER_CANVAS_H_
#define KOVA_RENDER_CANVAS_H_

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "render/diagram_font.h"
#include "render/raster.h"

namespace kova {

enum class BrushStyle { bsClear, bsSolid };

// Stands in for the font's measurements, so that pictures come out the same
// on every machine: each text is as wide as width() says and every text is
// height pixels high. Text drawn with fixed metrics shows only its cell and
// is reported to drawn(), when set, with its position and font.
struct FixedTextMetrics {
  std::function<int(const std::string&)> width;
  int height = 0;
  std::function<void(long long x, long long y, const std::string& text, const DiagramFont& font)>
      drawn;
};

class Canvas {
 public:
  Canvas();
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  // Gives the canvas a bitmap of that size, its contents undefined until
  // painted.
  // Raises an Exception naming the size when no such bitmap can be made;
  // the canvas then keeps its previous bitmap.
  void SetSize(long long width, long long height);
  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  // The picture as drawn so far.
  const QImage& Image();

  const DiagramFont& Font() const { return font_; }
  void SetFont(const DiagramFont& font);
  void UseFixedTextMetrics(FixedTextMetrics metrics);

  BrushStyle GetBrushStyle() const { return brushStyle_; }
  void SetBrushStyle(BrushStyle style) { brushStyle_ = style; }

  void MoveTo(long long x, long long y);
  void LineTo(long long x, long long y);
  void Ellipse(long long left, long long top, long long right, long long bottom);
  void FillRect(long long left, long long top, long long right, long long bottom);
  // Text texts are ISO-8859-1 bytes.
  void TextOut(long long x, long long y, const std::string& text);
  int TextWidth(const std::string& text) const;
  int TextHeight(const std::string& text) const;

 private:
  PixelPlane Plane();
  QPainter& Painter();
  void EndPainting();

  QImage image_;
  PixelPlane plane_;
  std::unique_ptr<QPainter> painter_;
  DiagramFont font_;
  QFont qfont_;
  QFontMetrics metrics_;
  std::optional<FixedTextMetrics> fixedMetrics_;
  // Layout and drawing measure every text several times; shaping it is the
  // dearest part of drawing, so each width is measured once per font.
  mutable std::unordered_map<std::string, int> widths_;
  BrushStyle brushStyle_ = BrushStyle::bsSolid;
  long long penX_ = 0;
  long long penY_ = 0;
};

}  // namespace kova

#endif  // KOVA_RENDER_CANVAS_H_
