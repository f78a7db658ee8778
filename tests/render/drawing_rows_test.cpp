// Where the text of each kind of row goes, and the shapes that rows draw.
#include <gtest/gtest.h>

#include "render/diagram_support.h"

namespace kova {
namespace {

using test::Add;
using test::CountBlack;
using test::DiagramFixture;
using test::IsBlack;

TEST(RowTextHeight, OffsetIsHalfTheSpareHeightRoundedToEven) {
  for (auto [fontHeight, offset] : {std::pair{13, 8}, {15, 8}, {16, 7}, {21, 4}, {40, -5}}) {
    DiagramFixture diagram({}, fontHeight);
    Add(diagram.root, "anweisung", "x");
    diagram.Draw();
    EXPECT_EQ(diagram.Text("x").y, 10 + offset) << "font height " << fontHeight;
  }
}

// A diagram 140 pixels wide (at x = 10) with one row of each kind whose text
// is 20 pixels wide; the loops' bodies are empty.
class RowAlignment : public ::testing::TestWithParam<int> {
 protected:
  RowAlignment()
      : diagram(
            {{"breit", 120}, {"t", 20}, {"c", 20}, {"b", 20}, {"e", 20}, {"w", 20}, {"u", 20}}) {
    diagram.metrics.Ausrichtung = static_cast<unsigned char>(GetParam());
    Add(diagram.root, "anweisung", "breit");
    for (auto [tag, text] : {std::pair{"anweisung", "t"},
                             {"aufruf", "c"},
                             {"aussprung", "b"},
                             {"ende", "e"},
                             {"while", "w"},
                             {"until", "u"}}) {
      Add(diagram.root, tag, text);
    }
    diagram.Draw();
  }
  long long X(const char* text) { return diagram.Text(text).x; }
  DiagramFixture diagram;
};

TEST_P(RowAlignment, TextsFollowTheAlignment) {
  struct Expected {
    long long statement, call, brk, end;
  };
  const Expected expected[] = {
      {20, 30, 30, 70}, {120, 110, 120, 70}, {70, 70, 75, 70}, {0, 0, 0, 70}};
  const Expected& e = expected[std::min(GetParam(), 3)];
  EXPECT_EQ(X("t"), e.statement);
  EXPECT_EQ(X("w"), e.statement);
  EXPECT_EQ(X("u"), e.statement);
  EXPECT_EQ(X("c"), e.call);
  EXPECT_EQ(X("b"), e.brk);
  EXPECT_EQ(X("e"), e.end);
}

INSTANTIATE_TEST_SUITE_P(EveryValue, RowAlignment, ::testing::Values(0, 1, 2, 3, 255));

TEST(RowCentring, OddDifferenceRoundsToEven) {
  DiagramFixture diagram({{"breit", 120}, {"a", 115}, {"b", 113}});
  diagram.metrics.Abstand = 0;
  Add(diagram.root, "anweisung", "a");
  Add(diagram.root, "anweisung", "b");
  Add(diagram.root, "anweisung", "breit");
  diagram.Draw();
  EXPECT_EQ(diagram.Text("a").x, 12);
  EXPECT_EQ(diagram.Text("b").x, 14);
}

class FunctionHeader : public ::testing::Test {
 protected:
  FunctionHeader() : diagram({{std::string("\0f", 2), 70}, {"f", 66}}) {
    Add(diagram.root, "aufruf", std::string("\0f", 2));
  }
  DiagramFixture diagram;
};

TEST_F(FunctionHeader, RegularFontDrawsItBoldWithoutItsMarker) {
  diagram.Draw();
  ASSERT_EQ(diagram.texts.size(), 1u);
  // Placed by the text with its marker: 10 + 10 + Nearest((110 - 70 - 20) / 2).
  EXPECT_EQ(diagram.texts[0], (test::DrawnText{30, 18, "f", true}));
  EXPECT_FALSE(diagram.canvas.Font().bold);
}

TEST_F(FunctionHeader, BoldFontStaysBold) {
  DiagramFont font;
  font.bold = true;
  font.italic = true;
  diagram.canvas.SetFont(font);
  diagram.Draw();
  EXPECT_EQ(diagram.texts.at(0), (test::DrawnText{30, 18, "f", true}));
  EXPECT_EQ(diagram.canvas.Font(), font);
}

TEST(RowShapes, CallBreakAndEndLines) {
  DiagramFixture diagram;
  Add(diagram.root, "aufruf", "c");
  Add(diagram.root, "aussprung", "b");
  Add(diagram.root, "ende", "e");
  const QImage& image = diagram.Draw();
  // Call row at y 10: inner side lines at x 20 and 50, rows 10 to 39.
  EXPECT_EQ(CountBlack(image, 20, 10, 21, 40), 30);
  EXPECT_EQ(CountBlack(image, 50, 10, 51, 40), 30);
  // Break row at y 40: the wedge from (20, 40) to (10, 55) to (20, 70).
  EXPECT_TRUE(IsBlack(image, 20, 40));
  EXPECT_TRUE(IsBlack(image, 15, 47) || IsBlack(image, 15, 48));
  EXPECT_TRUE(IsBlack(image, 19, 69) || IsBlack(image, 19, 68));
  EXPECT_EQ(CountBlack(image, 21, 41, 60, 70), 0);
  // End row at y 70: the rhombus through (35, 70), (60, 85), (35, 100), (10, 85).
  EXPECT_TRUE(IsBlack(image, 35, 70));
  EXPECT_TRUE(IsBlack(image, 59, 85) || IsBlack(image, 59, 84) || IsBlack(image, 59, 86));
  EXPECT_TRUE(IsBlack(image, 35, 100));
  EXPECT_TRUE(IsBlack(image, 11, 85) || IsBlack(image, 11, 84) || IsBlack(image, 11, 86));
}

// A loop with one statement in its body: 85 x 80 pixels, the bar from x 10
// to 24, the body from x 25 to 74.
class LoopEdges : public ::testing::TestWithParam<const char*> {
 protected:
  const QImage& DrawLoop(const char* tag) {
    Add(Add(diagram.root, tag, "u"), "anweisung", "s");
    return diagram.Draw();
  }
  DiagramFixture diagram;
};

TEST_P(LoopEdges, TopAndLeftEdgesRunTheirWholeLengthAndTheBarIsOpen) {
  const QImage& image = DrawLoop(GetParam());
  ASSERT_EQ(image.size(), QSize(85, 80));
  EXPECT_EQ(CountBlack(image, 10, 10, 75, 11), 65);
  EXPECT_EQ(CountBlack(image, 10, 10, 11, 71), 61);
  EXPECT_EQ(CountBlack(image, 25, 40, 75, 41), 50);
  EXPECT_EQ(CountBlack(image, 11, 40, 25, 41), 0);
  EXPECT_EQ(CountBlack(image, 11, 11, 25, 70), 0);
}

INSTANTIATE_TEST_SUITE_P(BothKinds, LoopEdges, ::testing::Values("while", "until"));

TEST_F(LoopEdges, UntilBodyStartsBesideTheBarAndItsFootTextComesLast) {
  const QImage& image = DrawLoop("until");
  EXPECT_EQ(CountBlack(image, 25, 10, 26, 41), 31);
  EXPECT_EQ(diagram.Text("u").y, 48);
  EXPECT_EQ(diagram.texts.back().text, "u");
}

TEST_F(LoopEdges, WhileBodyStartsBelowItsHead) {
  const QImage& image = DrawLoop("while");
  EXPECT_EQ(CountBlack(image, 25, 11, 26, 40), 0);
  EXPECT_EQ(CountBlack(image, 25, 40, 26, 71), 31);
  EXPECT_EQ(diagram.Text("u").y, 18);
}

}  // namespace
}  // namespace kova
