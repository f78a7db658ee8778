// The canvas reproduces the platform canvas's pixel conventions exactly:
// drawing code counts on them for every edge of a diagram.
#include <gtest/gtest.h>

#include <QImage>
#include <queue>

#include "render/canvas.h"
#include "render/canvas_support.h"
#include "translate/exception.h"

namespace kova {
namespace {

using test::BlackPixels;
using test::CountBlack;
using test::IsBlack;

class CanvasPixelRules : public ::testing::Test {
 protected:
  void SetUp() override {
    canvas.SetSize(40, 30);
    canvas.FillRect(0, 0, 40, 30);
    test::UseFixedMetrics(canvas, {{"abc", 7}}, 5);
  }
  Canvas canvas;
};

TEST_F(CanvasPixelRules, LineLeavesOutItsEndPoint) {
  canvas.MoveTo(2, 3);
  canvas.LineTo(6, 3);
  const std::vector<std::pair<int, int>> expected = {{2, 3}, {3, 3}, {4, 3}, {5, 3}};
  EXPECT_EQ(BlackPixels(canvas.Image()), expected);
}

TEST_F(CanvasPixelRules, ChainOfLinesDrawsEveryCornerOnce) {
  canvas.MoveTo(5, 10);
  canvas.LineTo(5, 5);
  canvas.LineTo(9, 5);
  canvas.LineTo(9, 8);
  const QImage& image = canvas.Image();
  EXPECT_TRUE(IsBlack(image, 5, 5));
  EXPECT_TRUE(IsBlack(image, 9, 5));
  EXPECT_TRUE(IsBlack(image, 5, 10));
  EXPECT_FALSE(IsBlack(image, 9, 8));
  EXPECT_EQ(BlackPixels(image).size(), 5u + 4u + 3u);
}

TEST_F(CanvasPixelRules, LineUpwardsAndLeftwardsStopsBeforeItsEnd) {
  canvas.MoveTo(20, 20);
  canvas.LineTo(20, 11);
  canvas.LineTo(11, 11);
  const QImage& image = canvas.Image();
  EXPECT_EQ(CountBlack(image, 20, 12, 21, 21), 9);
  EXPECT_EQ(CountBlack(image, 12, 11, 21, 12), 9);
  EXPECT_FALSE(IsBlack(image, 11, 11));
}

TEST_F(CanvasPixelRules, SlantedLineIsUnbrokenAndOnePixelThick) {
  canvas.MoveTo(0, 29);
  canvas.LineTo(39, 0);
  const QImage& image = canvas.Image();
  for (int x = 0; x < 39; ++x) EXPECT_EQ(CountBlack(image, x, 0, x + 1, 30), 1) << x;
  EXPECT_TRUE(IsBlack(image, 0, 29));
  EXPECT_FALSE(IsBlack(image, 39, 0));
}

TEST_F(CanvasPixelRules, LineFarOutsideIsClippedNotWalked) {
  canvas.MoveTo(-4000000000000LL, 7);
  canvas.LineTo(4000000000000LL, 7);
  EXPECT_EQ(CountBlack(canvas.Image(), 0, 7, 40, 8), 40);
  EXPECT_EQ(BlackPixels(canvas.Image()).size(), 40u);
}

TEST_F(CanvasPixelRules, ShapesBeyondTheBitmapPaintNothing) {
  canvas.FillRect(45, 2, 60, 9);
  canvas.TextOut(41, 3, "abc");
  canvas.FillRect(-20, 2, -5, 9);
  canvas.Ellipse(50, 0, 70, 20);
  canvas.Ellipse(-30, 0, -10, 20);
  canvas.MoveTo(-5, 0);
  canvas.LineTo(-5, 30);
  for (int y = 0; y < 30; ++y) {
    canvas.MoveTo(0, y);
    canvas.LineTo(40, y);
  }
  canvas.FillRect(45, 2, 60, 9);
  canvas.TextOut(41, 3, "abc");
  EXPECT_EQ(BlackPixels(canvas.Image()).size(), 40u * 30u);
}

TEST_F(CanvasPixelRules, FillRectLeavesOutRightAndBottom) {
  canvas.MoveTo(0, 0);
  for (int y = 0; y < 30; ++y) {
    canvas.MoveTo(0, y);
    canvas.LineTo(40, y);
  }
  canvas.FillRect(3, 4, 8, 6);
  const QImage& image = canvas.Image();
  EXPECT_EQ(CountBlack(image, 3, 4, 8, 6), 0);
  EXPECT_EQ(CountBlack(image, 0, 0, 40, 30), 40 * 30 - 10);
}

TEST_F(CanvasPixelRules, EllipseTouchesItsBoundsAndNothingBeyond) {
  canvas.Ellipse(5, 5, 35, 25);
  const QImage& image = canvas.Image();
  EXPECT_GT(CountBlack(image, 5, 5, 6, 25), 0);
  EXPECT_GT(CountBlack(image, 34, 5, 35, 25), 0);
  EXPECT_GT(CountBlack(image, 5, 5, 35, 6), 0);
  EXPECT_GT(CountBlack(image, 5, 24, 35, 25), 0);
  EXPECT_EQ(CountBlack(image, 5, 5, 35, 25), static_cast<int>(BlackPixels(image).size()));
  // Mirror symmetry across both axes of the bounding box.
  for (auto [x, y] : BlackPixels(image)) {
    EXPECT_TRUE(IsBlack(image, 39 - x, y)) << x << "," << y;
    EXPECT_TRUE(IsBlack(image, x, 29 - y)) << x << "," << y;
  }
}

TEST_F(CanvasPixelRules, EllipseOutlineIsClosed) {
  canvas.SetBrushStyle(BrushStyle::bsClear);
  canvas.Ellipse(5, 5, 35, 25);
  const QImage& image = canvas.Image();
  // Flood the white inside from the centre (4-connected): it must not leak.
  std::vector<bool> seen(40 * 30);
  std::queue<std::pair<int, int>> open;
  open.emplace(20, 15);
  int reached = 0;
  while (!open.empty()) {
    auto [x, y] = open.front();
    open.pop();
    if (!image.valid(x, y) || seen[y * 40 + x] || IsBlack(image, x, y)) continue;
    seen[y * 40 + x] = true;
    ++reached;
    EXPECT_TRUE(x > 5 && x < 34 && y > 5 && y < 24) << x << "," << y;
    open.emplace(x + 1, y);
    open.emplace(x - 1, y);
    open.emplace(x, y + 1);
    open.emplace(x, y - 1);
  }
  EXPECT_GT(reached, 100);
}

TEST_F(CanvasPixelRules, TextCellCoversWhatLiesBeneath) {
  for (int y = 0; y < 30; ++y) {
    canvas.MoveTo(0, y);
    canvas.LineTo(40, y);
  }
  canvas.TextOut(4, 6, "abc");
  const QImage& image = canvas.Image();
  EXPECT_EQ(CountBlack(image, 4, 6, 11, 11), 0);
  EXPECT_EQ(CountBlack(image, 0, 0, 40, 30), 40 * 30 - 7 * 5);
}

TEST_F(CanvasPixelRules, TextLeavesThePenAfterItsCell) {
  canvas.TextOut(4, 6, "abc");
  canvas.LineTo(11, 9);
  const std::vector<std::pair<int, int>> expected = {{11, 6}, {11, 7}, {11, 8}};
  EXPECT_EQ(BlackPixels(canvas.Image()), expected);
}

TEST_F(CanvasPixelRules, ClearBrushPaintsNoBackground) {
  canvas.MoveTo(0, 8);
  canvas.LineTo(40, 8);
  canvas.SetBrushStyle(BrushStyle::bsClear);
  canvas.TextOut(4, 6, "abc");
  canvas.FillRect(0, 0, 40, 30);
  EXPECT_EQ(CountBlack(canvas.Image(), 0, 8, 40, 9), 40);
}

TEST_F(CanvasPixelRules, PictureHandedOutStaysAsItWas) {
  const QImage before = canvas.Image();
  canvas.SetSize(40, 30);
  canvas.FillRect(0, 0, 40, 30);
  canvas.MoveTo(0, 0);
  canvas.LineTo(10, 0);
  EXPECT_TRUE(BlackPixels(before).empty());
  EXPECT_EQ(before.size(), QSize(40, 30));
  EXPECT_EQ(BlackPixels(canvas.Image()).size(), 10u);
}

TEST(CanvasSize, RefusedSizeNamesItAndKeepsThePicture) {
  Canvas canvas;
  canvas.SetSize(12, 9);
  for (auto [width, height] : {std::pair{0LL, 10LL},
                               {10LL, -3LL},
                               {9000000LL, 10LL},
                               {10LL, 9000000LL},
                               {7000000LL, 7000000LL}}) {
    try {
      canvas.SetSize(width, height);
      ADD_FAILURE() << width << " x " << height << " was accepted";
    } catch (const Exception& error) {
      const QString message = QString::fromLatin1(error.what());
      EXPECT_TRUE(message.contains(QStringLiteral("%1 × %2").arg(width).arg(height)))
          << error.what();
    }
  }
  EXPECT_EQ(canvas.Width(), 12);
  EXPECT_EQ(canvas.Height(), 9);
}

}  // namespace
}  // namespace kova
