#include "support/gif_reading.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace kova {
namespace {

struct Source {
  const QByteArray& file;
  qsizetype position = 0;
};

int ReadFromSource(GifFileType* gif, GifByteType* into, int length) {
  auto* source = static_cast<Source*>(gif->UserData);
  const qsizetype taken = std::min<qsizetype>(length, source->file.size() - source->position);
  std::memcpy(into, source->file.constData() + source->position, static_cast<size_t>(taken));
  source->position += taken;
  return static_cast<int>(taken);
}

// The frame's palette indexes as colours; null when one lies outside the map.
QImage Colours(const SavedImage& frame, const ColorMapObject& map) {
  QImage image(frame.ImageDesc.Width, frame.ImageDesc.Height, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const int index = frame.RasterBits[y * image.width() + x];
      if (index >= map.ColorCount) return QImage();
      const GifColorType c = map.Colors[index];
      image.setPixel(x, y, qRgb(c.Red, c.Green, c.Blue));
    }
  }
  return image;
}

}  // namespace

QImage ReadGif(const QByteArray& file) {
  Source source{file};
  int error = 0;
  GifFileType* gif = DGifOpen(&source, ReadFromSource, &error);
  if (!gif) return QImage();
  QImage image;
  if (DGifSlurp(gif) == GIF_OK && gif->ImageCount == 1) {
    const SavedImage& frame = gif->SavedImages[0];
    const ColorMapObject* map =
        frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
    if (map) image = Colours(frame, *map);
  }
  DGifCloseFile(gif, &error);
  return image;
}

}  // namespace kova
