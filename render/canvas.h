// The drawing target of a diagram: a white 32-bit bitmap with a black
// one-pixel pen, a white brush and the diagram font. Lines, rectangles and
// ellipses follow the platform canvas's pixel rules exactly (see raster.h);
// text goes through Qt's painter, and a text drawn a second time on its
// white cell is kept as a picture that later drawings of it copy (see
// text_cell.h).
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
#include <vector>

#include "render/diagram_font.h"
#include "render/raster.h"
#include "render/text_cell.h"

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
  // painted, and begins a new picture.
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
  // A text wider than any bitmap may be is measured only that far and
  // counts as kWiderThanAnyBitmap (bitmap_limits.h).
  int TextWidth(const std::string& text) const;
  int TextHeight(const std::string& text) const;

 private:
  // A text as measured and drawn in one font.
  struct KnownText {
    int width = 0;
    bool drawn = false;  // once, without taking its picture
    bool cellTried = false;
    bool inkInRows = false;
    std::optional<TextCell> cell;
    long long lastPicture = 0;
  };
  // A font with the texts measured or drawn in it lately.
  struct FontTexts {
    explicit FontTexts(const DiagramFont& diagramFont);
    DiagramFont font;
    QFont qfont;
    QFontMetrics metrics;
    std::unordered_map<std::string, KnownText> texts;
    long long lastPicture = 0;
  };

  FontTexts& TextsOf(const DiagramFont& font);
  KnownText& Known(const std::string& text) const;
  bool CopyCell(KnownText& known, const std::string& text, long long x, long long y);
  void StartPicture();
  void DrawText(int x, int y, const std::string& text);
  // The pixels, with rows top to bottom (exclusive) painted as owed.
  PixelPlane Plane(long long top, long long bottom);
  PixelPlane WholePlane();
  QPainter& Painter();
  void EndPainting();

  QImage image_;
  PixelPlane plane_;
  // Rows still owed the white of a fill of the whole bitmap.
  long long paperFrom_ = 0;
  long long paperTo_ = 0;
  std::unique_ptr<QPainter> painter_;
  // The font the painter holds, so that it is set only when it changes.
  const FontTexts* painterFont_ = nullptr;
  DiagramFont font_;
  // Measuring and drawing a text costs far more than copying its picture,
  // and a redraw draws mostly the texts of the drawing before. Kept for
  // every font in use, as function headers switch to bold and back. Texts
  // the last picture did not use are dropped, so the cache grows with the
  // diagram, not with the time the canvas lives.
  std::vector<std::unique_ptr<FontTexts>> fonts_;
  FontTexts* active_ = nullptr;
  long long picture_ = 0;
  size_t cellBytes_ = 0;
  TextCellMaker cellMaker_;
  std::optional<FixedTextMetrics> fixedMetrics_;
  BrushStyle brushStyle_ = BrushStyle::bsSolid;
  long long penX_ = 0;
  long long penY_ = 0;
};

}  // namespace kova

#endif  // KOVA_RENDER_CANVAS_H_
