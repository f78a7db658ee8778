// GIF output through giflib: the picture is reduced to the fixed palette of
// the 216 web colours (six levels per channel) by taking the nearest colour,
// without dithering, so black and white stay exactly black and white.
#ifndef KOVA_RENDER_GIF_ENCODER_H_
#define KOVA_RENDER_GIF_ENCODER_H_

#include <QIODevice>
#include <QImage>
#include <QRgb>

namespace kova {

// GIF stores its sizes in 16 bits.
constexpr int kMaxGifSide = 65535;

// The index into the web palette (red major, blue minor) nearest to color.
int WebPaletteIndex(QRgb color);

// The colour of a web palette index.
QRgb WebPaletteColor(int index);

// Writes the whole GIF file of the picture to device. Returns false when
// giflib or the device fails.
bool EncodeGif(const QImage& image, QIODevice& device);

}  // namespace kova

#endif  // KOVA_RENDER_GIF_ENCODER_H_
