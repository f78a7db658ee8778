#include "app/storage/image_file.h"

#include <QDir>

#include "app/storage/file_writer.h"

namespace kova {

namespace {

[[noreturn]] void ThrowCannotWrite(const QString& fileName, const QString& reason) {
  throw ImageFileError(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: %2")
                           .arg(QDir::toNativeSeparators(fileName), reason)
                           .toStdString());
}

}  // namespace

void WriteImageFile(const QImage& image, const QString& fileName, ImageFormat format) {
  bool encoded = false;
  try {
    encoded = WriteFileSafely(fileName,
                              [&](QIODevice& device) { return EncodeImage(image, format, device); });
  } catch (const FileWriteError& error) {
    ThrowCannotWrite(fileName, QString::fromUtf8(error.what()));
  }
  if (!encoded) {
    ThrowCannotWrite(fileName, QStringLiteral("Die Grafik von %1 × %2 Pixeln kann nicht umgewandelt werden.")
                                   .arg(image.width())
                                   .arg(image.height()));
  }
}

}  // namespace kova
