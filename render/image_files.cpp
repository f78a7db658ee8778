#include "render/image_files.h"

#include "render/gif_encoder.h"
#include "render/png_encoder.h"
#include "translate/exception.h"

namespace kova {
namespace {

[[noreturn]] void Fail(const QString& message) {
  throw Exception(message.toLatin1().toStdString());
}

void CheckFormatCanHold(const QImage& image, ImageFormat format) {
  if (format == ImageFormat::Gif && (image.width() > kMaxGifSide || image.height() > kMaxGifSide)) {
    Fail(QStringLiteral("Eine GIF-Datei fasst höchstens %1 × %1 Pixel, das Diagramm ist %2 × %3 "
                        "Pixel groß. Bitte als BMP oder PNG speichern.")
             .arg(kMaxGifSide)
             .arg(image.width())
             .arg(image.height()));
  }
}

bool Encode(const QImage& image, ImageFormat format, QIODevice& device) {
  if (format == ImageFormat::Gif) return EncodeGif(image, device);
  if (format == ImageFormat::Png) return EncodePng(image, device);
  return image.save(&device, "BMP");
}

}  // namespace

ImageFormat FormatOfFilterIndex(int filterIndex) {
  if (filterIndex == 2) return ImageFormat::Gif;
  if (filterIndex == 3) return ImageFormat::Png;
  return ImageFormat::Bmp;
}

QString ImageFileExtension(ImageFormat format) {
  switch (format) {
    case ImageFormat::Gif:
      return QStringLiteral(".gif");
    case ImageFormat::Png:
      return QStringLiteral(".png");
    case ImageFormat::Bmp:
      break;
  }
  return QStringLiteral(".bmp");
}

QString ExtractFileExt(const QString& fileName) {
  const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
  if (dot < 0 || fileName.indexOf(QLatin1Char('/'), dot) >= 0) return QString();
  return fileName.mid(dot);
}

QString ImageFileName(const QString& chosenName, ImageFormat format) {
  const QString extension = ImageFileExtension(format);
  if (ExtractFileExt(chosenName) == extension) return chosenName;
  return chosenName + extension;
}

void CheckPictureDrawn(const QImage& image, PictureUse use) {
  if (!image.isNull()) return;
  const QString participle =
      use == PictureUse::Copy ? QStringLiteral("kopiert") : QStringLiteral("gespeichert");
  Fail(QStringLiteral("Es ist noch kein Diagramm gezeichnet, das %1 werden könnte.").arg(participle));
}

bool EncodeImage(const QImage& image, ImageFormat format, QIODevice& device) {
  CheckPictureDrawn(image, PictureUse::Save);
  CheckFormatCanHold(image, format);
  return Encode(image, format, device);
}

}  // namespace kova
