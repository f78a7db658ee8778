// Picture files: a diagram's bitmap written in one of the three formats
// (see WriteFileSafely for how the file is written).
#pragma once

#include <QImage>
#include <QString>

#include <stdexcept>

#include "render/image_files.h"

namespace kova {

// A picture file that could not be written; the message names the file.
class ImageFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Writes the picture in the format, whatever the name's extension says.
// Throws ImageFileError "Die Datei "<name>" kann nicht geschrieben werden:
// <reason>", and the Exception of EncodeImage; the file is then left as it
// was.
void WriteImageFile(const QImage& image, const QString& fileName, ImageFormat format);

}  // namespace kova
