// Pictures encoded in each format read back with the same pixels, and the
// name a picture is saved under.
#include "render/image_files.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>
#include <limits>

#include "render/gif_encoder.h"
#include "render/png_encoder.h"
#include "support/device_full_after.h"
#include "support/gif_reading.h"
#include "translate/exception.h"

namespace kova {
namespace {

QImage SamplePicture() {
  QImage image(23, 11, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (int x = 0; x < 23; ++x) image.setPixel(x, 0, 0xff000000);
  for (int y = 0; y < 11; ++y) image.setPixel(0, y, 0xff000000);
  image.setPixel(5, 5, qRgb(200, 30, 90));
  image.setPixel(6, 5, qRgb(25, 26, 128));
  image.setPixel(7, 5, qRgb(128, 128, 128));
  return image;
}

class ImageFileWriting : public ::testing::Test {
 protected:
  QString Path(const QString& name) const { return folder.filePath(name); }

  void EncodeToFile(const QImage& picture, const QString& name, ImageFormat format) {
    QFile file(Path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(EncodeImage(picture, format, file)) << name.toStdString();
  }

  // Nothing reaches the device when the picture cannot be encoded at all.
  static void ExpectRefusedBeforeWriting(const QImage& picture, ImageFormat format) {
    QByteArray bytes;
    QBuffer device(&bytes);
    device.open(QIODevice::WriteOnly);
    EXPECT_THROW(EncodeImage(picture, format, device), Exception);
    EXPECT_TRUE(bytes.isEmpty());
  }

  QTemporaryDir folder;
};

TEST_F(ImageFileWriting, BmpAndPngKeepEveryPixel) {
  const QImage picture = SamplePicture();
  for (auto [format, name] :
       {std::pair{ImageFormat::Bmp, "plan.bmp"}, {ImageFormat::Png, "plan.png"}}) {
    EncodeToFile(picture, name, format);
    QImage back(Path(name));
    ASSERT_FALSE(back.isNull()) << name;
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), picture) << name;
  }
}

TEST_F(ImageFileWriting, FormatFollowsTheChoiceNotTheName) {
  EncodeToFile(SamplePicture(), "plan.png", ImageFormat::Bmp);
  QFile file(Path("plan.png"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.read(2), QByteArray("BM"));
}

TEST_F(ImageFileWriting, GifTakesTheNearestWebColourBlackAndWhiteExact) {
  const QImage picture = SamplePicture();
  EncodeToFile(picture, "plan.gif", ImageFormat::Gif);
  QFile file(Path("plan.gif"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QImage back = ReadGif(file.readAll());
  ASSERT_EQ(back.size(), picture.size());
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb original = picture.pixel(x, y);
      if (original == 0xff000000 || original == 0xffffffff) {
        EXPECT_EQ(back.pixel(x, y), original) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(back.pixel(5, 5), qRgb(204, 51, 102));
  EXPECT_EQ(back.pixel(6, 5), qRgb(0, 51, 153));
  EXPECT_EQ(back.pixel(7, 5), qRgb(153, 153, 153));
}

TEST(WebPalette, EveryColourMapsToItsNearestLevels) {
  EXPECT_EQ(WebPaletteIndex(qRgb(0, 0, 0)), 0);
  EXPECT_EQ(WebPaletteIndex(qRgb(255, 255, 255)), 215);
  EXPECT_EQ(WebPaletteColor(WebPaletteIndex(qRgb(25, 26, 76))), qRgb(0, 51, 51));
  EXPECT_EQ(WebPaletteColor(WebPaletteIndex(qRgb(77, 229, 230))), qRgb(102, 204, 255));
  for (int index = 0; index < 216; ++index)
    EXPECT_EQ(WebPaletteIndex(WebPaletteColor(index)), index);
}

// Every channel value in every position, as noise compresses badly and so
// makes the encoder write while it is still taking rows.
QImage NoisePicture(QImage::Format format) {
  QImage image(200, 150, format);
  quint32 state = 12345;
  for (int y = 0; y < image.height(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      state = state * 1664525u + 1013904223u;
      row[x] = format == QImage::Format_RGB32 ? (state | 0xff000000u) : state;
    }
  }
  return image;
}

QByteArray PngOf(const QImage& image) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  return EncodePng(image, buffer) ? buffer.data() : QByteArray();
}

TEST(PngEncoding, KeepsEveryPixelAnySize) {
  for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32}) {
    const QImage picture = NoisePicture(format);
    const QImage back = QImage::fromData(PngOf(picture), "PNG");
    EXPECT_EQ(back.convertToFormat(format), picture) << format;
  }

  // Taller than the million rows that libpng allows unless told otherwise.
  QImage tall(1, 1000001, QImage::Format_RGB32);
  tall.fill(Qt::white);
  const QByteArray file = PngOf(tall);
  ASSERT_GT(file.size(), 33);
  EXPECT_EQ(qFromBigEndian<quint32>(file.constData() + 16), 1u);
  EXPECT_EQ(qFromBigEndian<quint32>(file.constData() + 20), 1000001u);
  EXPECT_TRUE(file.endsWith(QByteArray::fromHex("0000000049454e44ae426082")));  // IEND
}

// A device that fills up anywhere, even at the file's very last byte, fails
// the whole picture. The sanitizer build's leak check fails this test if a
// failed write leaves anything allocated.
TEST(ImageFileEncoding, FailsWhenTheDeviceFillsUpAnywhere) {
  const QImage noise = NoisePicture(QImage::Format_RGB32);
  for (const ImageFormat format : {ImageFormat::Bmp, ImageFormat::Gif, ImageFormat::Png}) {
    DeviceFullAfter whole(std::numeric_limits<qint64>::max());
    ASSERT_TRUE(EncodeImage(noise, format, whole));
    const qint64 size = whole.size();
    for (const qint64 capacity : {qint64{0}, qint64{8}, qint64{40}, size / 2, size - 1}) {
      DeviceFullAfter device(capacity);
      EXPECT_FALSE(EncodeImage(noise, format, device))
          << static_cast<int>(format) << " " << capacity;
    }
  }
}

TEST_F(ImageFileWriting, PictureNotYetDrawnIsReported) {
  ExpectRefusedBeforeWriting(QImage(), ImageFormat::Png);
}

TEST_F(ImageFileWriting, GifTooLargeForItsFormatIsReported) {
  ExpectRefusedBeforeWriting(QImage(70000, 1, QImage::Format_RGB32), ImageFormat::Gif);
}

TEST(ImageFileName, ExtensionIsAppendedUnlessExactlyPresent) {
  EXPECT_EQ(ImageFileName("plan", ImageFormat::Bmp), "plan.bmp");
  EXPECT_EQ(ImageFileName("plan.bmp", ImageFormat::Bmp), "plan.bmp");
  EXPECT_EQ(ImageFileName("Plan.BMP", ImageFormat::Bmp), "Plan.BMP.bmp");
  EXPECT_EQ(ImageFileName("plan.png", ImageFormat::Bmp), "plan.png.bmp");
  EXPECT_EQ(ImageFileName("bild", ImageFormat::Png), "bild.png");
  EXPECT_EQ(ImageFileName("bild.gif", ImageFormat::Gif), "bild.gif");
  EXPECT_EQ(ImageFileName("/home/a.b/bild", ImageFormat::Gif), "/home/a.b/bild.gif");
}

TEST(ImageFileName, ExtensionStartsAtTheLastDotOfTheLastComponent) {
  EXPECT_EQ(ExtractFileExt("archiv.tar.gz"), ".gz");
  EXPECT_EQ(ExtractFileExt("/tmp/x.d/plan"), "");
  EXPECT_EQ(ExtractFileExt("plan."), ".");
  EXPECT_EQ(ExtractFileExt("plan"), "");
}

TEST(ImageFileName, FilterIndexChoosesTheFormat) {
  EXPECT_EQ(FormatOfFilterIndex(1), ImageFormat::Bmp);
  EXPECT_EQ(FormatOfFilterIndex(2), ImageFormat::Gif);
  EXPECT_EQ(FormatOfFilterIndex(3), ImageFormat::Png);
  EXPECT_EQ(FormatOfFilterIndex(0), ImageFormat::Bmp);
}

}  // namespace
}  // namespace kova
