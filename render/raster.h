// Pixel-level drawing into 32-bit image memory with the platform canvas's
// conventions: lines leave out their end point, rectangles and ellipses
// leave out their right and bottom bounds. Nothing is anti-aliased, and
// everything outside the plane is clipped, however far away it lies.
#ifndef KOVA_RENDER_RASTER_H_
#define KOVA_RENDER_RASTER_H_

#include <QRgb>
#include <QtGlobal>

namespace kova {

struct PixelPlane {
  uchar* bits = nullptr;
  qsizetype bytesPerLine = 0;
  int width = 0;
  int height = 0;
};

// The line from (x0, y0) towards (x1, y1), without (x1, y1) itself.
void RasterLine(const PixelPlane& plane, long long x0, long long y0, long long x1, long long y1,
                QRgb color);

// Every pixel with left <= x < right and top <= y < bottom.
void RasterFill(const PixelPlane& plane, long long left, long long top, long long right,
                long long bottom, QRgb color);

// The ellipse inscribed in left <= x < right, top <= y < bottom: its outline in
// outlineColor and, when fill is set, its interior in fillColor.
void RasterEllipse(const PixelPlane& plane, long long left, long long top, long long right,
                   long long bottom, QRgb outlineColor, bool fill, QRgb fillColor);

}  // namespace kova

#endif  // KOVA_RENDER_RASTER_H_
