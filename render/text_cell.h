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
#include <QString>
#include <cstddef>
#include <cstdint>
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
  friend std::optional<TextCell> RenderTextCell(const QString&, const QFont&, QColor, int, int,
                                                int, QRgb, QImage&);

  int width_ = 0;
  int height_ = 0;
  QRgb paper_ = 0;
  // Row by row: the number of runs, then each run as its first column (low
  // 16 bits) and length (high 16 bits) followed by its pixels. Paper between
  // runs is not stored.
  std::vector<uint32_t> runs_;
};

// The widest cell kept; wider texts are drawn each time.
constexpr int kMaxTextCellWidth = 0xffff;

// Draws text as the canvas draws it, baseline `ascent` pixels below the top,
// onto a width x height cell of paper colour, using scratch as the drawing
// surface. Empty when some glyph reaches outside the cell, where the cell's
// picture would not say what lies beneath, or when the cell is too wide.
std::optional<TextCell> RenderTextCell(const QString& text, const QFont& font, QColor color,
                                       int ascent, int width, int height, QRgb paper,
                                       QImage& scratch);

}  // namespace kova

#endif  // KOVA_RENDER_TEXT_CELL_H_
