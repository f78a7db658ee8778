// Reading back what the GIF encoder writes, with giflib's own decoder.
#ifndef KOVA_TESTS_SUPPORT_GIF_READING_H_
#define KOVA_TESTS_SUPPORT_GIF_READING_H_

#include <QByteArray>
#include <QImage>

namespace kova {

// The one picture of a GIF file, each pixel the colour its palette entry
// holds; a null image when the file cannot be read or holds another number
// of pictures.
QImage ReadGif(const QByteArray& file);

}  // namespace kova

#endif  // KOVA_TESTS_SUPPORT_GIF_READING_H_
