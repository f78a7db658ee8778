// Encoding a diagram's bitmap as a picture file, and the rule that gives the
// file its name.
#ifndef KOVA_RENDER_IMAGE_FILES_H_
#define KOVA_RENDER_IMAGE_FILES_H_

#include <QIODevice>
#include <QImage>
#include <QString>

namespace kova {

// The formats in the order of the save dialog's filter list; the filter
// index (counting from 1) is the format's value.
enum class ImageFormat { Bmp = 1, Gif = 2, Png = 3 };

// The format of a save dialog's filter index; indexes outside 1 to 3 give BMP,
// the dialog's first entry.
ImageFormat FormatOfFilterIndex(int filterIndex);

// ".bmp", ".gif" or ".png".
QString ImageFileExtension(ImageFormat format);

// The text from the last dot of the last path component on, dot included;
// empty when that component has no dot.
QString ExtractFileExt(const QString& fileName);

// The name the picture is written to: the chosen name, with the format's
// extension appended unless the name already ends in exactly that extension.
QString ImageFileName(const QString& chosenName, ImageFormat format);

// What the user wants to do with a picture, so that a refusal can name it.
enum class PictureUse { Copy, Save };

// Raises an Exception saying that nothing has been drawn yet that could be
// copied or saved (as use says) when the picture is null, as it is before the
// first run.
void CheckPictureDrawn(const QImage& image, PictureUse use);

// Writes the whole picture file in the format to the device as it is encoded.
// Raises an Exception before writing anything when there is no picture yet or
// the format cannot hold its size. Returns false when the encoder or the
// device fails.
bool EncodeImage(const QImage& image, ImageFormat format, QIODevice& device);

}  // namespace kova

#endif  // KOVA_RENDER_IMAGE_FILES_H_
