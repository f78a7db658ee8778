// The picture of one text drawn on its white cell, kept so that drawing the
// same text in the same font again copies pixels instead of shaping and
// rasterizing it anew. Qt draws glyphs at the same fractional offsets after
// any whole-pixel shift, so a copy gives exactly the pixels that drawing the
// text there would give.
#ifndef KOVA_RENDER_TEXT_CELL_H_
#define KOVA_RENDER_TEXT_CELL_H_

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "render/raster.h"

namespace kova {

class TextCell {
 public:
  // Paints the cell with its top-left corner at (x, y), clipped to the plane.
  void CopyTo(const PixelPlane& plane, long long x, long long y) const;
  size_t Bytes() const { return runs_.size() * sizeof(uint32_t); }

 private:
  friend class TextCellMaker;

  int width_ = 0;
  int height_ = 0;
  QRgb paper_ = 0;
  // Row by row: the number of runs, then each run as its first column (low
  // 16 bits) and length (high 16 bits) followed by its pixels. Paper between
  // runs is not stored.
  std::vector<uint32_t> runs_;
};

// The largest scratch area a text's picture is taken on, margin included;
// larger texts are drawn each time.
constexpr long long kMaxTextCellPixels = 1 << 20;

// Takes the pictures of texts, drawing them onto a scratch bitmap that it
// keeps with its painter from one text to the next.
class TextCellMaker {
 public:
  TextCellMaker();
  ~TextCellMaker();
  TextCellMaker(const TextCellMaker&) = delete;
  TextCellMaker& operator=(const TextCellMaker&) = delete;

  // Draws text as the canvas draws it, baseline `ascent` pixels below the
  // top, onto a width x height cell of paper colour. Empty when some glyph
  // reaches outside the cell, where the cell's picture would not say what
  // lies beneath, or when the cell is too large. Sets inkInRows when no
  // glyph reaches above or below the cell, as is the case for a cell made.
  std::optional<TextCell> Make(const QString& text, const QFont& font, QColor color, int ascent,
                               int width, int height, QRgb paper, bool& inkInRows);
  // Gives back the scratch bitmap and its painter until the next Make.
  void Release();

 private:
  QImage scratch_;
  std::unique_ptr<QPainter> painter_;
  // What the painter holds.
  QFont font_;
  QColor color_;
  // A row of paper to compare with, and the runs of the cell being taken.
  std::vector<QRgb> paperRow_;
  std::vector<uint32_t> runs_;
};

}  // namespace kova

#endif  // KOVA_RENDER_TEXT_CELL_H_
