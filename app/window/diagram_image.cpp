#include "app/window/diagram_image.h"

#include <QPainter>

namespace kova {

DiagramImage::DiagramImage(QWidget* parent) : QWidget(parent) { BitmapChanged(); }

void DiagramImage::BitmapChanged() {
  // Finishing the picture frees what drawing took besides the bitmap, which
  // an image on a hidden tab would keep until it is shown.
  fCanvas.Image();
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
