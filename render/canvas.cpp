#include "render/canvas.h"

#include <algorithm>
#include <utility>

#include "render/bitmap_limits.h"
#include "translate/exception.h"
#include "translate/memory_budget.h"

namespace kova {
namespace {

constexpr QRgb kPenColor = 0xff000000;
constexpr QRgb kBrushColor = 0xffffffff;

// Kept text pictures may take a quarter of the bitmap's memory, and a small
// diagram's no less than this.
constexpr size_t kMinCellBytes = size_t{16} << 20;

QString Latin1(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Qt adds advances in 26.6 fixed point, which wraps past 2^25 pixels, and its
// text layout takes memory for every character at once; so a long text is
// measured in pieces that can reach neither. No bitmap is wider than
// kMaxBitmapSide, so measuring stops once a text is wider than that.
int TextAdvance(const QFontMetrics& metrics, const std::string& text) {
  constexpr long long kSafeAdvance = 1LL << 24;
  const long long pieceLength = std::clamp(kSafeAdvance / (std::max(metrics.maxWidth(), 0) + 1LL), 1LL,
                                           kMaxCharactersMeasuredAtOnce);
  if (static_cast<long long>(text.size()) <= pieceLength) return metrics.horizontalAdvance(Latin1(text));
  long long width = 0;
  for (size_t start = 0; start < text.size(); start += static_cast<size_t>(pieceLength)) {
    width += metrics.horizontalAdvance(Latin1(text.substr(start, static_cast<size_t>(pieceLength))));
    if (width > kMaxBitmapSide) return kWiderThanAnyBitmap;
  }
  return static_cast<int>(width);
}

}  // namespace

Canvas::FontTexts::FontTexts(const DiagramFont& diagramFont)
    : font(diagramFont), qfont(ToQFont(diagramFont)), metrics(qfont) {}

Canvas::Canvas() : active_(&TextsOf(font_)) {}

Canvas::~Canvas() { EndPainting(); }

void Canvas::SetSize(long long width, long long height) {
  CheckBitmapSize(width, height);
  StartPicture();
  // Redrawing a diagram of the same size keeps its bitmap: a large one costs
  // more to allocate than to draw. A bitmap shared with a picture handed out
  // is replaced instead, so that the picture stays as it was.
  if (width == image_.width() && height == image_.height() && image_.isDetached()) return;
  QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
  if (image.isNull()) RefuseForLackOfMemory(width, height);
  EndPainting();
  image_ = std::move(image);
  plane_ = PixelPlane{image_.bits(), image_.bytesPerLine(), image_.width(), image_.height()};
  paperFrom_ = 0;
  paperTo_ = 0;
}

const QImage& Canvas::Image() {
  EndPainting();
  // A finished picture needs no scratch; a program may hold many canvases.
  cellMaker_.Release();
  WholePlane();
  return image_;
}

void Canvas::SetFont(const DiagramFont& font) {
  font_ = font;
  active_ = &TextsOf(font);
}

void Canvas::UseFixedTextMetrics(FixedTextMetrics metrics) { fixedMetrics_ = std::move(metrics); }

void Canvas::MoveTo(long long x, long long y) {
  penX_ = x;
  penY_ = y;
}

void Canvas::LineTo(long long x, long long y) {
  RasterLine(Plane(std::min(penY_, y), std::max(penY_, y) + 1), penX_, penY_, x, y, kPenColor);
  MoveTo(x, y);
}

void Canvas::Ellipse(long long left, long long top, long long right, long long bottom) {
  RasterEllipse(Plane(top, bottom), left, top, right, bottom, kPenColor,
                brushStyle_ == BrushStyle::bsSolid, kBrushColor);
}

void Canvas::FillRect(long long left, long long top, long long right, long long bottom) {
  if (brushStyle_ != BrushStyle::bsSolid) return;
  // Painting the whole bitmap white is put off and done a band at a time
  // just ahead of the drawing, so that what is drawn next finds its pixels
  // in the cache rather than in memory.
  if (left <= 0 && top <= 0 && right >= image_.width() && bottom >= image_.height()) {
    paperFrom_ = 0;
    paperTo_ = image_.height();
    return;
  }
  RasterFill(Plane(top, bottom), left, top, right, bottom, kBrushColor);
}

void Canvas::TextOut(long long x, long long y, const std::string& text) {
  KnownText* known = fixedMetrics_ ? nullptr : &Known(text);
  const int width = known ? known->width : TextWidth(text);
  const int height = TextHeight(text);
  if (fixedMetrics_ && fixedMetrics_->drawn) fixedMetrics_->drawn(x, y, text, font_);
  if (image_.isNull() || x > kMaxBitmapSide || y > kMaxBitmapSide || x < -kMaxBitmapSide ||
      y < -kMaxBitmapSide) {
    // Nothing to see, and Qt's coordinates end not far beyond the limit.
  } else if (font_.orientation % 3600 == 0) {
    const bool solid = brushStyle_ == BrushStyle::bsSolid;
    if (!solid || !known || !CopyCell(*known, text, x, y)) {
      if (solid) FillRect(x, y, x + width, y + height);
      if (known && !text.empty()) {
        // Glyphs reaching out of the cell sideways need only its rows white
        // beneath them; a font height more leaves room for doubt.
        if (known->inkInRows) {
          Plane(y, y + 2LL * height);
        } else {
          WholePlane();
        }
        DrawText(static_cast<int>(x), static_cast<int>(y), text);
      }
    }
  } else {
    // Turned text turns its cell with it, about the cell's top-left corner.
    WholePlane();
    QPainter& painter = Painter();
    painter.save();
    painter.translate(static_cast<qreal>(x), static_cast<qreal>(y));
    painter.rotate(-(font_.orientation / 10.0));
    // A cell without width or height paints nothing, as FillRect has it;
    // Qt's rectangle of the most negative size would overflow.
    if (brushStyle_ == BrushStyle::bsSolid && width > 0 && height > 0)
      painter.fillRect(0, 0, width, height, QColor(kBrushColor));
    if (known) DrawText(0, 0, text);
    painter.restore();
  }
  MoveTo(x + width, y);
}

int Canvas::TextWidth(const std::string& text) const {
  if (fixedMetrics_) return fixedMetrics_->width(text);
  return Known(text).width;
}

int Canvas::TextHeight(const std::string&) const {
  if (fixedMetrics_) return fixedMetrics_->height;
  return active_->metrics.height();
}

Canvas::FontTexts& Canvas::TextsOf(const DiagramFont& font) {
  for (const std::unique_ptr<FontTexts>& texts : fonts_) {
    if (texts->font == font) return *texts;
  }
  fonts_.push_back(std::make_unique<FontTexts>(font));
  fonts_.back()->lastPicture = picture_;
  return *fonts_.back();
}

Canvas::KnownText& Canvas::Known(const std::string& text) const {
  const auto [entry, added] = active_->texts.try_emplace(text);
  KnownText& known = entry->second;
  if (added) known.width = TextAdvance(active_->metrics, text);
  known.lastPicture = picture_;
  active_->lastPicture = picture_;
  return known;
}

bool Canvas::CopyCell(KnownText& known, const std::string& text, long long x, long long y) {
  if (!known.cellTried) {
    // Taking a picture costs more than drawing the text, so a text gets one
    // only when it is drawn again: a first drawing draws mostly texts it
    // never draws again, and a redraw draws its texts a second time.
    if (!known.drawn) {
      known.drawn = true;
      return false;
    }
    known.cellTried = true;
    // Qt measures a text only up to U+009C, its separator of length
    // variants, but draws all of it: ink past the cell would be lost.
    if (text.find('\x9c') != std::string::npos) return false;
    const size_t budget = std::max(kMinCellBytes, static_cast<size_t>(image_.sizeInBytes()) / 4);
    if (cellBytes_ < budget) {
      known.cell =
          cellMaker_.Make(Latin1(text), active_->qfont, font_.color.Shown(), active_->metrics.ascent(),
                          known.width, active_->metrics.height(), kBrushColor, known.inkInRows);
      if (known.cell) cellBytes_ += known.cell->Bytes();
    }
  }
  if (!known.cell) return false;
  known.cell->CopyTo(Plane(y, y + active_->metrics.height()), x, y);
  return true;
}

void Canvas::StartPicture() {
  ++picture_;
  // Texts and fonts that the last picture (layout included) did not use go,
  // so that the cache holds about one diagram's texts.
  const long long stale = picture_ - 2;
  for (const std::unique_ptr<FontTexts>& font : fonts_) {
    std::erase_if(font->texts, [this, stale](const auto& entry) {
      if (entry.second.lastPicture > stale) return false;
      if (entry.second.cell) cellBytes_ -= entry.second.cell->Bytes();
      return true;
    });
  }
  std::erase_if(fonts_, [this, stale](const std::unique_ptr<FontTexts>& font) {
    if (font.get() == active_ || font->lastPicture > stale) return false;
    if (font.get() == painterFont_) painterFont_ = nullptr;
    return true;
  });
}

void Canvas::DrawText(int x, int y, const std::string& text) {
  Painter().drawText(QPoint(x, y + active_->metrics.ascent()), Latin1(text));
}

PixelPlane Canvas::Plane(long long top, long long bottom) {
  // A picture handed out by Image() may share our pixels; writing detaches.
  plane_.bits = image_.bits();
  if (bottom > paperFrom_ && paperFrom_ < paperTo_ && top < paperTo_) {
    // A band of some rows more than asked for saves calls.
    constexpr long long kBand = 32;
    const long long to = std::min(paperTo_, std::max(bottom, paperFrom_ + kBand));
    RasterFill(plane_, 0, paperFrom_, plane_.width, to, kBrushColor);
    paperFrom_ = to;
  }
  return plane_;
}

PixelPlane Canvas::WholePlane() { return Plane(0, image_.height()); }

QPainter& Canvas::Painter() {
  if (!painter_) {
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
  }
  if (painterFont_ != active_) {
    painter_->setFont(active_->qfont);
    painter_->setPen(active_->font.color.Shown());
    painterFont_ = active_;
  }
  return *painter_;
}

void Canvas::EndPainting() {
  if (painter_) {
    painter_->end();
    painter_.reset();
  }
  painterFont_ = nullptr;
}

}  // namespace kova
