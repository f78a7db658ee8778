#include "render/canvas.h"

#include <algorithm>
#include <utility>

#include "render/bitmap_limits.h"
#include "translate/exception.h"

namespace kova {
namespace {

constexpr QRgb kPenColor = 0xff000000;
constexpr QRgb kBrushColor = 0xffffffff;
}  // namespace

Canvas::Canvas() : qfont_(ToQFont(font_)), metrics_(qfont_) {}

Canvas::~Canvas() { EndPainting(); }

void Canvas::SetSize(long long width, long long height) {
  CheckBitmapSize(width, height);
  // Redrawing a diagram of the same size keeps its bitmap: a large one costs
  // more to allocate than to draw. A bitmap shared with a picture handed out
  // is replaced instead, so that the picture stays as it was.
  if (width == image_.width() && height == image_.height() && image_.isDetached()) return;
  QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
  if (image.isNull()) RefuseForLackOfMemory(width, height);
  EndPainting();
  image_ = std::move(image);
  plane_ = PixelPlane{image_.bits(), image_.bytesPerLine(), image_.width(), image_.height()};
}

const QImage& Canvas::Image() {
  EndPainting();
  return image_;
}

void Canvas::SetFont(const DiagramFont& font) {
  font_ = font;
  qfont_ = ToQFont(font_);
  metrics_ = QFontMetrics(qfont_);
  widths_.clear();
}

void Canvas::UseFixedTextMetrics(FixedTextMetrics metrics) { fixedMetrics_ = std::move(metrics); }

void Canvas::MoveTo(long long x, long long y) {
  penX_ = x;
  penY_ = y;
}

void Canvas::LineTo(long long x, long long y) {
  RasterLine(Plane(), penX_, penY_, x, y, kPenColor);
  MoveTo(x, y);
}

void Canvas::Ellipse(long long left, long long top, long long right, long long bottom) {
  RasterEllipse(Plane(), left, top, right, bottom, kPenColor, brushStyle_ == BrushStyle::bsSolid,
                kBrushColor);
}

void Canvas::FillRect(long long left, long long top, long long right, long long bottom) {
  if (brushStyle_ == BrushStyle::bsSolid)
    RasterFill(Plane(), left, top, right, bottom, kBrushColor);
}

void Canvas::TextOut(long long x, long long y, const std::string& text) {
  const int width = TextWidth(text);
  const int height = TextHeight(text);
  if (fixedMetrics_ && fixedMetrics_->drawn) fixedMetrics_->drawn(x, y, text, font_);
  if (image_.isNull() || x > kMaxBitmapSide || y > kMaxBitmapSide || x < -kMaxBitmapSide ||
      y < -kMaxBitmapSide) {
    // Nothing to see, and Qt's coordinates end not far beyond the limit.
  } else if (font_.orientation % 3600 == 0) {
    if (brushStyle_ == BrushStyle::bsSolid) FillRect(x, y, x + width, y + height);
    if (!fixedMetrics_ && !text.empty()) {
      QPainter& painter = Painter();
      painter.drawText(QPoint(static_cast<int>(x), static_cast<int>(y) + metrics_.ascent()),
                       QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    }
  } else {
    // Turned text turns its cell with it, about the cell's top-left corner.
    QPainter& painter = Painter();
    painter.save();
    painter.translate(static_cast<qreal>(x), static_cast<qreal>(y));
    painter.rotate(-(font_.orientation / 10.0));
    if (brushStyle_ == BrushStyle::bsSolid)
      painter.fillRect(0, 0, width, height, QColor(kBrushColor));
    if (!fixedMetrics_) {
      painter.drawText(QPoint(0, metrics_.ascent()),
                       QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    }
    painter.restore();
  }
  MoveTo(x + width, y);
}

int Canvas::TextWidth(const std::string& text) const {
  if (fixedMetrics_) return fixedMetrics_->width(text);
  const auto [entry, added] = widths_.try_emplace(text, 0);
  if (added) {
    entry->second = metrics_.horizontalAdvance(
        QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
  }
  return entry->second;
}

int Canvas::TextHeight(const std::string&) const {
  if (fixedMetrics_) return fixedMetrics_->height;
  return metrics_.height();
}

PixelPlane Canvas::Plane() {
  // A picture handed out by Image() may share our pixels; writing detaches.
  plane_.bits = image_.bits();
  return plane_;
}

QPainter& Canvas::Painter() {
  if (!painter_) {
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
  }
  painter_->setFont(qfont_);
  painter_->setPen(font_.color);
  return *painter_;
}

void Canvas::EndPainting() {
  if (painter_) {
    painter_->end();
    painter_.reset();
  }
}

}  // namespace kova
