#include "render/png_encoder.h"

#include <png.h>

#include <QSysInfo>

namespace kova {
namespace {

// QImage keeps a pixel as one 32-bit word: in memory B, G, R, A on
// little-endian machines and A, R, G, B on big-endian ones.
constexpr bool kLittleEndian = QSysInfo::ByteOrder == QSysInfo::LittleEndian;

// An exception cannot pass libpng's C frames, so a write that fails or
// throws becomes libpng's error.
void WriteToDevice(png_structp png, png_bytep data, size_t length) {
  bool written = false;
  try {
    auto* device = static_cast<QIODevice*>(png_get_io_ptr(png));
    written = device->write(reinterpret_cast<const char*>(data), static_cast<qint64>(length)) ==
              static_cast<qint64>(length);
  } catch (...) {
  }
  if (!written) png_error(png, "write failed");
}

// The device is flushed by whoever closes it.
void FlushNothing(png_structp) {}

// The caller reports the failure; libpng only has to stop.
[[noreturn]] void StopOnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void IgnoreWarning(png_structp, png_const_charp) {}

// libpng leaves this frame by longjmp on any error, so nothing here may need
// destroying: all it uses is owned by the caller.
bool WritePicture(png_structp png, png_infop info, const QImage& pixels, QIODevice& device) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, &device, WriteToDevice, FlushNothing);
  png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
  const bool alpha = pixels.hasAlphaChannel();
  png_set_IHDR(png, info, static_cast<png_uint_32>(pixels.width()),
               static_cast<png_uint_32>(pixels.height()), 8,
               alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (pixels.dotsPerMeterX() > 0 && pixels.dotsPerMeterY() > 0) {
    png_set_pHYs(png, info, static_cast<png_uint_32>(pixels.dotsPerMeterX()),
                 static_cast<png_uint_32>(pixels.dotsPerMeterY()), PNG_RESOLUTION_METER);
  }
  png_write_info(png, info);
  // The row transformations depend on the colour type that png_write_info set.
  if (kLittleEndian) png_set_bgr(png);
  if (!alpha) {
    // The unused fourth byte of each pixel is left out.
    png_set_filler(png, 0, kLittleEndian ? PNG_FILLER_AFTER : PNG_FILLER_BEFORE);
  } else if (!kLittleEndian) {
    png_set_swap_alpha(png);
  }
  for (int y = 0; y < pixels.height(); ++y) png_write_row(png, pixels.constScanLine(y));
  png_write_end(png, info);
  return true;
}

}  // namespace

bool EncodePng(const QImage& image, QIODevice& device) {
  // Converting a diagram's 32-bit RGB bitmap costs nothing: it is shared.
  const QImage pixels =
      image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (pixels.isNull()) return false;
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, StopOnError, IgnoreWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  const bool written = info && WritePicture(png, info, pixels, device);
  png_destroy_write_struct(&png, &info);
  return written;
}

}  // namespace kova
