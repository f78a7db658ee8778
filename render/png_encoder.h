// PNG output through libpng: 8-bit RGB, or RGBA for a picture with an alpha
// channel, zlib's default compression, and the picture's resolution. Every
// side PNG can hold is written; libpng's own limit of a million pixels is
// lifted.
#ifndef KOVA_RENDER_PNG_ENCODER_H_
#define KOVA_RENDER_PNG_ENCODER_H_

#include <QIODevice>
#include <QImage>

namespace kova {

// Writes the whole PNG file of the picture to device. Returns false when
// libpng or the device fails; nothing is left allocated then.
bool EncodePng(const QImage& image, QIODevice& device);

}  // namespace kova

#endif  // KOVA_RENDER_PNG_ENCODER_H_
