// Writes small pictures of any size and content in each picture format and
// reads them back: PNG must give every pixel again, BMP every pixel's colour,
// GIF every pixel in the web colour the encoder maps it to. A device that
// fills up part way may make an encoder fail, but must leave nothing
// allocated; whatever an encoder reports as written must read back whole.
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "byte_reader.h"
#include "render/gif_encoder.h"
#include "render/image_files.h"
#include "support/device_full_after.h"
#include "support/gif_reading.h"

namespace {

constexpr int kMaxSide = 64;  // small pictures keep every run fast

// The bits of an input's first byte.
constexpr uint8_t kAlpha = 0x01;        // the picture has an alpha channel
constexpr uint8_t kDeviceFills = 0x02;  // the device takes only as many bytes as two bytes say

// Two bytes for the sides, then four bytes for each pixel (alpha, red,
// green, blue), row by row.
QImage Picture(ByteReader& bytes, bool alpha) {
  const int width = 1 + bytes.Next() % kMaxSide;
  const int height = 1 + bytes.Next() % kMaxSide;
  QImage image(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const QRgb pixel = static_cast<QRgb>(bytes.NextInt());
      row[x] = alpha ? pixel : pixel | 0xff000000u;
    }
  }
  return image;
}

// What the file must read back as: PNG keeps the picture itself, BMP its
// colours without the alpha channel, GIF each colour's web colour.
QImage Expected(const QImage& picture, kova::ImageFormat format) {
  if (format == kova::ImageFormat::Png) return picture;
  QImage colours = picture.convertToFormat(QImage::Format_RGB32);
  if (format == kova::ImageFormat::Bmp) return colours;
  for (int y = 0; y < colours.height(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(colours.scanLine(y));
    for (int x = 0; x < colours.width(); ++x)
      row[x] = kova::WebPaletteColor(kova::WebPaletteIndex(row[x]));
  }
  return colours;
}

QImage ReadBack(const QByteArray& file, kova::ImageFormat format, QImage::Format pixelFormat) {
  if (format == kova::ImageFormat::Gif) return kova::ReadGif(file);
  return QImage::fromData(file, format == kova::ImageFormat::Png ? "PNG" : "BMP")
      .convertToFormat(pixelFormat);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ByteReader bytes(data, size);
  const uint8_t choices = bytes.Next();
  qint64 capacity = std::numeric_limits<qint64>::max();
  if (choices & kDeviceFills) {
    const int high = bytes.Next();
    capacity = high << 8 | bytes.Next();
  }
  const QImage picture = Picture(bytes, (choices & kAlpha) != 0);
  for (const kova::ImageFormat format :
       {kova::ImageFormat::Bmp, kova::ImageFormat::Gif, kova::ImageFormat::Png}) {
    kova::DeviceFullAfter device(capacity);
    if (!kova::EncodeImage(picture, format, device)) {
      if ((choices & kDeviceFills) == 0) __builtin_trap();  // only a full device may fail
      continue;
    }
    const QImage expected = Expected(picture, format);
    if (ReadBack(device.data(), format, expected.format()) != expected) __builtin_trap();
  }
  return 0;
}
