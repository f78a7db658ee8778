#include "app/window/diagram_image.h"

#include <QPainter>

namespace kova {

DiagramImage::DiagramImage(QWidget* parent) : QWidget(parent) { BitmapChanged(); }

void DiagramImage::BitmapChanged() {
  setFixedSize(fCanvas.Width(), fCanvas.Height());
  update();
}

void DiagramImage::paintEvent(QPaintEvent*) {
  const QImage& bitmap = fCanvas.Image();
  if (bitmap.isNull()) return;
  QPainter painter(this);
  painter.drawImage(0, 0, bitmap);
}

}  // namespace kova
