// Whole diagrams drawn with fixed text metrics, checked pixel by pixel
// along their edges and text by text.
#include <gtest/gtest.h>

#include "render/diagram_support.h"

namespace kova {
namespace {

using test::Add;
using test::CountBlack;
using test::DiagramFixture;
using test::DrawnText;
using test::IsBlack;

// Black pixels in column x from y = top to bottom, both inclusive.
int ColumnRun(const QImage& image, int x, int top, int bottom) {
  return CountBlack(image, x, top, x + 1, bottom + 1);
}
int RowRun(const QImage& image, int y, int left, int right) {
  return CountBlack(image, left, y, right + 1, y + 1);
}

TEST(DrawingExamples, EmptyScript) {
  DiagramFixture diagram;
  const QImage& image = diagram.Draw();
  ASSERT_EQ(image.size(), QSize(70, 50));
  EXPECT_EQ(ColumnRun(image, 10, 10, 40), 31);
  EXPECT_EQ(RowRun(image, 10, 10, 59), 50);
  EXPECT_EQ(RowRun(image, 40, 10, 59), 50);
  EXPECT_EQ(ColumnRun(image, 60, 11, 40), 30);
  // Nothing outside the frame, the corner (60, 10) included.
  EXPECT_FALSE(IsBlack(image, 60, 10));
  EXPECT_EQ(CountBlack(image, 0, 0, 70, 50), CountBlack(image, 10, 10, 61, 41));
  // Inside: the symbol's diagonal from (15, 35) towards (55, 15) and its
  // ellipse within (15, 15) to (55, 35), exclusive.
  EXPECT_TRUE(IsBlack(image, 15, 35));
  EXPECT_FALSE(IsBlack(image, 55, 15));
  EXPECT_GT(RowRun(image, 15, 15, 54), 0);
  EXPECT_GT(ColumnRun(image, 54, 15, 34), 0);
  EXPECT_EQ(CountBlack(image, 11, 11, 60, 40), CountBlack(image, 15, 15, 55, 36));
  EXPECT_EQ(RowRun(image, 36, 11, 59), 0);
  EXPECT_EQ(diagram.root.attribute("breite"), "50");
  EXPECT_EQ(diagram.root.attribute("hoehe"), "30");
}

class WorkedExample : public ::testing::Test {
 protected:
  WorkedExample() : diagram({{"s60", 60}, {"c100", 100}, {"ja", 12}, {"nein", 24}, {"s40", 40}}) {
    Add(diagram.root, "anweisung", "s60");
    TDomElement selection = Add(diagram.root, "auswahl", "c100");
    Add(Add(selection, "fall", "ja"), "anweisung", "s40");
    Add(selection, "fall", "nein");
  }
  DiagramFixture diagram;
};

TEST_F(WorkedExample, TextsSitWhereTheRulesPutThem) {
  ASSERT_EQ(diagram.Draw().size(), QSize(140, 140));
  EXPECT_EQ(diagram.Text("s60"), (DrawnText{40, 18, "s60", false}));
  EXPECT_EQ(diagram.Text("c100"), (DrawnText{20, 42, "c100", false}));
  EXPECT_EQ(diagram.Text("ja"), (DrawnText{36, 86, "ja", false}));
  EXPECT_EQ(diagram.Text("nein"), (DrawnText{90, 86, "nein", false}));
  EXPECT_EQ(diagram.Text("s40"), (DrawnText{22, 108, "s40", false}));
  // Condition, labels, then each branch's content: the painting order.
  ASSERT_EQ(diagram.texts.size(), 5u);
  EXPECT_EQ(diagram.texts[3].text, "s40");
  EXPECT_EQ(diagram.texts[4].text, "nein");
}

TEST_F(WorkedExample, EdgesSeparatorsAndHead) {
  const QImage& image = diagram.Draw();
  EXPECT_EQ(ColumnRun(image, 10, 10, 130), 121);
  EXPECT_EQ(RowRun(image, 10, 10, 129), 120);
  EXPECT_EQ(RowRun(image, 40, 10, 130), 121);
  EXPECT_EQ(RowRun(image, 100, 10, 130), 121);
  EXPECT_EQ(ColumnRun(image, 75, 100, 130), 31);
  EXPECT_EQ(RowRun(image, 130, 10, 130), 121);
  EXPECT_EQ(ColumnRun(image, 130, 11, 130), 120);
  EXPECT_FALSE(IsBlack(image, 130, 10));
  // The V: down from (10, 40) to its vertex (75, 100), up to (130, 40).
  EXPECT_TRUE(IsBlack(image, 75, 100));
  EXPECT_EQ(ColumnRun(image, 42, 68, 72), 1);
  EXPECT_EQ(RowRun(image, 70, 76, 129), 1);
  // Above the vertex the separator is not drawn.
  EXPECT_EQ(ColumnRun(image, 75, 56, 98), 0);
  // The condition's cell covers the V where they cross.
  EXPECT_EQ(CountBlack(image, 20, 42, 120, 55), 0);
  // The empty "nein" column: diagonal from (80, 125) towards (125, 105) and
  // the ellipse within (80, 105) to (125, 125).
  EXPECT_TRUE(IsBlack(image, 80, 125));
  EXPECT_EQ(CountBlack(image, 76, 101, 130, 130), CountBlack(image, 80, 105, 125, 126));
  EXPECT_GT(ColumnRun(image, 124, 105, 124), 0);
  EXPECT_GT(RowRun(image, 105, 80, 124), 0);
}

TEST_F(WorkedExample, DrawingTwiceGivesTheSamePicture) {
  const QImage first = diagram.Draw();
  EXPECT_EQ(diagram.Draw(), first);
}

// Three empty branches needing 30 pixels each under a 100 pixel statement.
class SpareWidth : public ::testing::Test {
 protected:
  SpareWidth() : diagram({{"s100", 100}}) {
    diagram.metrics.NullBreite = 30;
    diagram.metrics.Abstand = 0;
    Add(diagram.root, "anweisung", "s100");
    selection = Add(diagram.root, "auswahl", "c");
    for (const char* label : {"a", "b", "c)"}) Add(selection, "fall", label);
  }
  DiagramFixture diagram;
  TDomElement selection;
};

TEST_F(SpareWidth, LastColumnTakesTheRemainder) {
  const QImage& image = diagram.Draw();
  EXPECT_EQ(diagram.Text("a").x, 10 + 16);
  EXPECT_EQ(diagram.Text("b").x, 43 + 16);
  EXPECT_EQ(diagram.Text("c)").x, 76 + 16);
  EXPECT_EQ(ColumnRun(image, 43, 100, 100), 1);
  EXPECT_EQ(ColumnRun(image, 76, 100, 100), 1);
  EXPECT_EQ(ColumnRun(image, 110, 101, 129), 29);
  EXPECT_EQ(image.width(), 120);
}

TEST_F(SpareWidth, SeparatorsStartOnTheOneDiagonal) {
  const QImage& image = diagram.Draw();
  // y = 40 + Nearest(S(j) * 60 / 100): 19.8 gives 60, 39.6 gives 80.
  EXPECT_EQ(ColumnRun(image, 43, 41, 59), 0);
  EXPECT_EQ(ColumnRun(image, 43, 60, 130), 71);
  EXPECT_EQ(ColumnRun(image, 76, 41, 79), 0);
  EXPECT_EQ(ColumnRun(image, 76, 80, 130), 51);
  EXPECT_TRUE(IsBlack(image, 10, 40));
  EXPECT_EQ(ColumnRun(image, 60, 65, 74), 1);
}

TEST(DrawingExamples, EmptyBranchSpansTheTallestBranch) {
  DiagramFixture diagram;
  TDomElement selection = Add(diagram.root, "auswahl", "c");
  TDomElement yes = Add(selection, "fall", "ja");
  for (const char* text : {"a", "b", "d"}) Add(yes, "anweisung", text);
  Add(selection, "fall", "nein");
  const QImage& image = diagram.Draw();
  ASSERT_EQ(image.size(), QSize(120, 170));
  // The "nein" column spans x 60 to 109, its rows from y 70 to 159.
  EXPECT_EQ(CountBlack(image, 61, 71, 110, 160), CountBlack(image, 65, 75, 105, 156));
  EXPECT_TRUE(IsBlack(image, 65, 155));
  EXPECT_GT(RowRun(image, 154, 65, 104), 0);
  // Rows 100 and 130 cross only the ellipse's two sides and the diagonal.
  EXPECT_EQ(RowRun(image, 100, 61, 109) + RowRun(image, 130, 61, 109), 6);
  for (auto [x, y] : test::BlackPixels(image)) {
    if (x > 60 && x < 110 && y > 70 && y < 160) {
      EXPECT_TRUE(x >= 65 && x < 105 && y >= 75 && y < 156) << x << "," << y;
    }
  }
  EXPECT_EQ(ColumnRun(image, 60, 70, 160), 91);
  EXPECT_EQ(RowRun(image, 160, 10, 110), 101);
}

}  // namespace
}  // namespace kova
