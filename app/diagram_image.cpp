#include "app/diagram_image.h"

#include <QPainter>

#include <utility>

namespace kova {

DiagramImage::DiagramImage(QWidget* parent) : QWidget(parent) {
  // A new canvas starts with the platform's default font at 8 points.
  fCanvasFont.setPointSize(8);
  setFixedSize(0, 0);
}

void DiagramImage::SetBitmap(QImage bitmap) {
  fBitmap = std::move(bitmap);
  setFixedSize(fBitmap.size());
  update();
}

void DiagramImage::paintEvent(QPaintEvent*) {
  if (fBitmap.isNull()) return;
  QPainter painter(this);
  painter.drawImage(0, 0, fBitmap);
}

}  // namespace kova
