#include "render/text_cell.h"

#include <algorithm>
#include <cstring>

namespace kova {
namespace {

// Paper shorter than this between two runs is stored with them: a run costs
// a word of its own and a copy call.
constexpr int kShortGap = 4;

bool IsPaper(const QImage& image, int left, int top, int right, int bottom,
             const std::vector<QRgb>& paperRow) {
  for (int y = top; y < bottom; ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    if (std::memcmp(row + left, paperRow.data(), static_cast<size_t>(right - left) * sizeof(QRgb)))
      return false;
  }
  return true;
}

}  // namespace

TextCellMaker::TextCellMaker() = default;

TextCellMaker::~TextCellMaker() = default;

void TextCellMaker::Release() {
  painter_.reset();
  scratch_ = QImage();
  paperRow_ = {};
  runs_ = {};
}

std::optional<TextCell> TextCellMaker::Make(const QString& text, const QFont& font, QColor color,
                                            int ascent, int width, int height, QRgb paper,
                                            bool& inkInRows) {
  inkInRows = false;
  // A margin around the cell catches glyphs that overhang it.
  const int margin = height / 2 + 2;
  // Runs store their columns in 16 bits.
  if (width <= 0 || height <= 0 || width > 0xffff ||
      (width + 2LL * margin) * (height + 2LL * margin) > kMaxTextCellPixels) {
    return std::nullopt;
  }
  const int outerWidth = width + 2 * margin;
  const int outerHeight = height + 2 * margin;
  if (scratch_.width() < outerWidth || scratch_.height() < outerHeight) {
    painter_.reset();
    scratch_ = QImage(std::max(outerWidth, scratch_.width()),
                      std::max(outerHeight, scratch_.height()), QImage::Format_RGB32);
    if (scratch_.isNull()) return std::nullopt;
  }
  if (!painter_) {
    painter_ = std::make_unique<QPainter>(&scratch_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setFont(font);
    painter_->setPen(color);
  } else if (font_ != font || color_ != color) {
    painter_->setFont(font);
    painter_->setPen(color);
  }
  font_ = font;
  color_ = color;
  const PixelPlane plane{scratch_.bits(), scratch_.bytesPerLine(), scratch_.width(),
                         scratch_.height()};
  RasterFill(plane, 0, 0, outerWidth, outerHeight, paper);
  painter_->drawText(QPoint(margin, margin + ascent), text);
  const int right = margin + width;
  const int bottom = margin + height;
  if (paperRow_.size() < static_cast<size_t>(outerWidth) || paperRow_.front() != paper)
    paperRow_.assign(static_cast<size_t>(outerWidth), paper);
  const QImage& scratch = scratch_;
  inkInRows = IsPaper(scratch, 0, 0, outerWidth, margin, paperRow_) &&
              IsPaper(scratch, 0, bottom, outerWidth, outerHeight, paperRow_);
  if (!inkInRows || !IsPaper(scratch, 0, margin, margin, bottom, paperRow_) ||
      !IsPaper(scratch, right, margin, outerWidth, bottom, paperRow_)) {
    return std::nullopt;
  }
  runs_.clear();
  for (int y = margin; y < bottom; ++y) {
    const size_t countAt = runs_.size();
    runs_.push_back(0);
    if (IsPaper(scratch, margin, y, right, y + 1, paperRow_)) continue;
    const QRgb* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y)) + margin;
    int x = 0;
    while (true) {
      while (x < width && row[x] == paper) ++x;
      if (x == width) break;
      const int start = x;
      int end = x;
      // A run ends at the last ink before a gap of kShortGap or more.
      while (x < width && x - end < kShortGap) {
        if (row[x] != paper) end = x + 1;
        ++x;
      }
      x = end;
      runs_.push_back(static_cast<uint32_t>(start) | static_cast<uint32_t>(end - start) << 16);
      runs_.insert(runs_.end(), row + start, row + end);
      ++runs_[countAt];
    }
  }
  TextCell cell;
  cell.width_ = width;
  cell.height_ = height;
  cell.paper_ = paper;
  cell.runs_.assign(runs_.begin(), runs_.end());
  return cell;
}

void TextCell::CopyTo(const PixelPlane& plane, long long x, long long y) const {
  const long long left = std::max<long long>(x, 0);
  const long long right = std::min<long long>(x + width_, plane.width);
  const uint32_t* data = runs_.data();
  for (int row = 0; row < height_; ++row) {
    const long long py = y + row;
    const bool visible = py >= 0 && py < plane.height && left < right;
    QRgb* line = visible ? reinterpret_cast<QRgb*>(plane.bits + py * plane.bytesPerLine) : nullptr;
    // Paper first, then the runs over it, as drawing the text does.
    if (visible) RasterFill(plane, left, py, right, py + 1, paper_);
    for (uint32_t runCount = *data++; runCount > 0; --runCount) {
      const long long start = x + (*data & 0xffff);
      const long long length = *data >> 16;
      ++data;
      if (visible) {
        const long long from = std::max(start, left);
        const long long to = std::min(start + length, right);
        if (from < to) {
          std::memcpy(line + from, data + (from - start),
                      static_cast<size_t>(to - from) * sizeof(QRgb));
        }
      }
      data += length;
    }
  }
}

}  // namespace kova
