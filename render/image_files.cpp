#include "render/image_files.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "render/gif_encoder.h"
#include "render/png_encoder.h"
#include "translate/exception.h"

namespace kova {
namespace {

[[noreturn]] void Fail(const QString& message) {
  throw Exception(message.toLatin1().toStdString());
}

QString Reason(QFileDevice::FileError error) {
  switch (error) {
    case QFileDevice::PermissionsError:
      return QStringLiteral("Zugriff verweigert.");
    case QFileDevice::WriteError:
    case QFileDevice::ResizeError:
      return QStringLiteral("Schreibfehler (ist der Datenträger voll?).");
    default:
      return QStringLiteral("Die Datei kann nicht angelegt werden.");
  }
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

void WriteImageFile(const QImage& image, const QString& fileName, ImageFormat format) {
  if (image.isNull())
    Fail(QStringLiteral("Es ist noch kein Diagramm gezeichnet, das gespeichert werden könnte."));
  const QFileInfo info(fileName);
  if (!info.absoluteDir().exists()) {
    Fail(QStringLiteral("Der Ordner \"%1\" existiert nicht.")
             .arg(QDir::toNativeSeparators(info.absolutePath())));
  }
  if (info.isDir())
    Fail(QStringLiteral("\"%1\" ist ein Ordner, keine Datei.")
             .arg(QDir::toNativeSeparators(fileName)));
  CheckFormatCanHold(image, format);
  // The picture goes to a temporary file beside the target first and only
  // replaces the target once it is complete.
  QSaveFile file(fileName);
  const bool opened = file.open(QIODevice::WriteOnly);
  const bool encoded = opened && Encode(image, format, file);
  if (!encoded || !file.commit()) {
    QString reason = Reason(file.error());
    if (opened && file.error() == QFileDevice::NoError) {
      reason = QStringLiteral("Die Grafik von %1 × %2 Pixeln kann nicht umgewandelt werden.")
                   .arg(image.width())
                   .arg(image.height());
    }
    file.cancelWriting();
    Fail(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: %2")
             .arg(QDir::toNativeSeparators(fileName), reason));
  }
}

}  // namespace kova
