// The command pictures: never blank, each one its own, in every list.
#include "app/window/image_list.h"

#include <QImage>
#include <gtest/gtest.h>

namespace kova {
namespace {

int PaintedPixels(const QPixmap& pixmap) {
  const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
  int painted = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      painted += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    }
  }
  return painted;
}

TEST(ImageListTest, EveryListHoldsEveryPictureAtItsSizeAndNoneIsBlank) {
  for (int size : {16, 24}) {
    for (IconVariant variant : {IconVariant::Normal, IconVariant::Disabled, IconVariant::Hot}) {
      const ImageList list(size, variant);
      ASSERT_EQ(list.Count(), kCommandPictureCount);
      for (int index = 0; index < list.Count(); ++index) {
        EXPECT_EQ(list.Image(index).size(), QSize(size, size));
        EXPECT_GT(PaintedPixels(list.Image(index)), size * 2) << "picture " << index;
      }
    }
  }
}

TEST(ImageListTest, PicturesDifferFromEachOtherAndByVariant) {
  const ImageList normal(16, IconVariant::Normal);
  const ImageList disabled(16, IconVariant::Disabled);
  const ImageList hot(16, IconVariant::Hot);
  for (int index = 0; index < normal.Count(); ++index) {
    const QImage picture = normal.Image(index).toImage();
    EXPECT_NE(picture, disabled.Image(index).toImage()) << "picture " << index;
    EXPECT_NE(picture, hot.Image(index).toImage()) << "picture " << index;
    for (int other = 0; other < index; ++other) {
      EXPECT_NE(picture, normal.Image(other).toImage()) << index << " vs " << other;
    }
  }
}

TEST(ImageListTest, CombinedIconOffersBothSizesAndAllThreeLooks) {
  const ImageList il16(16, IconVariant::Normal), il16d(16, IconVariant::Disabled),
      il16h(16, IconVariant::Hot), il24(24, IconVariant::Normal);
  const QIcon icon = CombinedIcon(3, {&il16, &il16d, &il16h, &il24});
  EXPECT_EQ(icon.pixmap(QSize(24, 24)).toImage(), il24.Image(3).toImage());
  EXPECT_EQ(icon.pixmap(QSize(16, 16), QIcon::Disabled).toImage(), il16d.Image(3).toImage());
  EXPECT_EQ(icon.pixmap(QSize(16, 16), QIcon::Active).toImage(), il16h.Image(3).toImage());
}

}  // namespace
}  // namespace kova
