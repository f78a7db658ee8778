#include "render/gif_encoder.h"

#include <gif_lib.h>

#include <cstring>
#include <vector>

namespace kova {
namespace {

constexpr int kLevels = 6;
constexpr int kStep = 51;          // 255 / (kLevels - 1)
constexpr int kPaletteSize = 256;  // GIF colour maps hold a power of two

// The level nearest to one channel's value.
int Level(int value) { return (value + kStep / 2) / kStep; }

// giflib does not check every write it makes (the file's last byte goes
// unchecked), so the writer notes a failed write itself.
struct Output {
  QIODevice& device;
  bool failed = false;
};

int WriteToDevice(GifFileType* gif, const GifByteType* data, int length) {
  auto* output = static_cast<Output*>(gif->UserData);
  if (output->device.write(reinterpret_cast<const char*>(data), length) == length) return length;
  output->failed = true;
  return 0;
}

// Releases giflib's writer however the encoding ends.
struct GifWriter {
  GifFileType* gif = nullptr;
  ~GifWriter() {
    if (gif) EGifCloseFile(gif, nullptr);
  }
  bool Close() {
    const int result = EGifCloseFile(gif, nullptr);
    gif = nullptr;
    return result == GIF_OK;
  }
};

}  // namespace

int WebPaletteIndex(QRgb color) {
  return (Level(qRed(color)) * kLevels + Level(qGreen(color))) * kLevels + Level(qBlue(color));
}

QRgb WebPaletteColor(int index) {
  return qRgb(index / (kLevels * kLevels) % kLevels * kStep, index / kLevels % kLevels * kStep,
              index % kLevels * kStep);
}

bool EncodeGif(const QImage& image, QIODevice& device) {
  const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
  if (pixels.isNull() || pixels.width() > kMaxGifSide || pixels.height() > kMaxGifSide)
    return false;
  GifColorType colors[kPaletteSize] = {};
  for (int index = 0; index < kLevels * kLevels * kLevels; ++index) {
    const QRgb color = WebPaletteColor(index);
    colors[index] =
        GifColorType{static_cast<GifByteType>(qRed(color)), static_cast<GifByteType>(qGreen(color)),
                     static_cast<GifByteType>(qBlue(color))};
  }
  ColorMapObject* map = GifMakeMapObject(kPaletteSize, colors);
  if (!map) return false;
  Output output{device};  // outlives the writer, whose closing still writes
  GifWriter writer;
  int error = 0;
  writer.gif = EGifOpen(&output, WriteToDevice, &error);
  bool ok = writer.gif != nullptr;
  if (ok) {
    ok = EGifPutScreenDesc(writer.gif, pixels.width(), pixels.height(), 8, 0, map) == GIF_OK &&
         EGifPutImageDesc(writer.gif, 0, 0, pixels.width(), pixels.height(), false, nullptr) ==
             GIF_OK;
  }
  std::vector<GifPixelType> line(static_cast<size_t>(pixels.width()));
  for (int y = 0; ok && y < pixels.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
    for (int x = 0; x < pixels.width(); ++x)
      line[static_cast<size_t>(x)] = static_cast<GifPixelType>(WebPaletteIndex(row[x]));
    ok = EGifPutLine(writer.gif, line.data(), pixels.width()) == GIF_OK;
  }
  GifFreeMapObject(map);
  if (writer.gif) ok = writer.Close() && ok;
  return ok && !output.failed;
}

}  // namespace kova
