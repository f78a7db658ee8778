#include "app/window/image_list.h"

#include "app/window/command_pictures.h"

#include <QColor>
#include <QImage>
#include <QPainter>

namespace kova {

namespace {

// Greyed and faded, like a platform's disabled button.
QRgb Disabled(QRgb pixel) {
  const int grey = 96 + qGray(pixel) / 2;
  return qRgba(grey, grey, grey, qAlpha(pixel) * 3 / 5);
}

// Lighter and more saturated, so the picture under the mouse stands out.
QRgb Hot(QRgb pixel) {
  QColor colour = QColor::fromRgba(pixel).toHsl();
  colour.setHsl(colour.hslHue(), qMin(255, colour.hslSaturation() + 40),
                qMin(255, colour.lightness() + 18), colour.alpha());
  return colour.rgba();
}

QImage Recoloured(QImage image, QRgb (*recolour)(QRgb)) {
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      line[x] = recolour(line[x]);
    }
  }
  return image;
}

QPixmap DrawPicture(int index, int size, IconVariant variant) {
  QImage canvas(size, size, QImage::Format_ARGB32_Premultiplied);
  canvas.fill(Qt::transparent);
  {
    QPainter painter(&canvas);
    painter.scale(size / 24.0, size / 24.0);
    DrawCommandPicture(painter, index);
  }
  QImage image = canvas.convertToFormat(QImage::Format_ARGB32);
  switch (variant) {
    case IconVariant::Disabled:
      image = Recoloured(image, Disabled);
      break;
    case IconVariant::Hot:
      image = Recoloured(image, Hot);
      break;
    case IconVariant::Normal:
      break;
  }
  return QPixmap::fromImage(image);
}

QIcon::Mode ModeOf(IconVariant variant) {
  switch (variant) {
    case IconVariant::Disabled:
      return QIcon::Disabled;
    case IconVariant::Hot:
      return QIcon::Active;
    case IconVariant::Normal:
      break;
  }
  return QIcon::Normal;
}

}  // namespace

ImageList::ImageList(int size, IconVariant variant) : size_(size), variant_(variant) {
  images_.reserve(kCommandPictureCount);
  for (int index = 0; index < kCommandPictureCount; ++index) {
    images_.push_back(DrawPicture(index, size, variant));
  }
}

QIcon CombinedIcon(int index, std::initializer_list<const ImageList*> lists) {
  QIcon icon;
  for (const ImageList* list : lists) {
    icon.addPixmap(list->Image(index), ModeOf(list->Variant()));
  }
  return icon;
}

}  // namespace kova
