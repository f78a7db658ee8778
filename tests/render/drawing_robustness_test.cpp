// Trees that the drawing rules leave open, trees too deep or too large to
// draw, and random trees in real fonts: none may crash or trip an assertion,
// and redrawing from kept text pictures gives the first drawing's pixels.
#include <gtest/gtest.h>

#include <random>

#include "render/bitmap_limits.h"
#include "render/diagram_support.h"
#include "translate/exception.h"
#include "translate/memory_budget.h"

namespace kova {
namespace {

using test::Add;
using test::CountBlack;
using test::DiagramFixture;
using test::IsBlack;

TEST(OpenShapes, SelectionWithoutBranchesShowsItsHeadAlone) {
  DiagramFixture diagram;
  Add(diagram.root, "auswahl", "case x");
  Add(diagram.root, "anweisung", "s");
  const QImage& image = diagram.Draw();
  ASSERT_EQ(image.size(), QSize(70, 110));
  // One diagonal from (10, 10) towards (60, 70), nothing else in the head.
  EXPECT_EQ(CountBlack(image, 35, 11, 36, 70), 1);
  EXPECT_EQ(CountBlack(image, 11, 11, 60, 70), 59);  // one pixel in each row
  EXPECT_EQ(CountBlack(image, 10, 70, 60, 71), 50);
  EXPECT_EQ(CountBlack(image, 10, 10, 11, 101), 91);
}

TEST(OpenShapes, LoneDefaultBranchFoldsTheVOntoTheLeftEdge) {
  DiagramFixture diagram;
  TDomElement selection = Add(diagram.root, "auswahl", "case x");
  Add(Add(selection, "fall", "*)"), "anweisung", "s");
  const QImage& image = diagram.Draw();
  ASSERT_EQ(image.size(), QSize(70, 110));
  // The V's vertex sits at (10, 70): only the rising arm is visible.
  EXPECT_EQ(CountBlack(image, 20, 11, 21, 70), 1);
  EXPECT_GE(CountBlack(image, 20, 57, 21, 60), 1);
  EXPECT_EQ(CountBlack(image, 10, 10, 11, 101), 91);
  EXPECT_EQ(diagram.Text("*)").x, 34);
}

// Nested selections with one branch each: two levels per selection.
void NestSelections(TDomElement sequence, int count) {
  for (int i = 0; i < count; ++i) sequence = Add(Add(sequence, "auswahl", "c"), "fall", "ja");
  Add(sequence, "anweisung", "s");
}

TEST(OpenShapes, SequenceOfUnknownElementsIsDrawnEmpty) {
  DiagramFixture diagram;
  Add(diagram.root, "fremd", "x");
  const QImage& image = diagram.Draw();
  ASSERT_EQ(image.size(), QSize(70, 50));
  EXPECT_EQ(CountBlack(image, 10, 40, 60, 41), 50);
  EXPECT_EQ(CountBlack(image, 60, 11, 61, 41), 30);
  EXPECT_TRUE(IsBlack(image, 15, 35));
}

TEST(DeepNesting, ThousandLevelsAreDrawn) {
  DiagramFixture diagram;
  NestSelections(diagram.root, (kMaxDiagramDepth - 1) / 2);
  const QImage& image = diagram.Draw();
  EXPECT_EQ(image.height(), (kMaxDiagramDepth - 1) / 2 * 60 + 30 + 20);
}

TEST(DeepNesting, DeeperTreeIsRefusedAndThePictureKept) {
  DiagramFixture diagram;
  diagram.Draw();
  NestSelections(diagram.root, kMaxDiagramDepth / 2);
  EXPECT_THROW(diagram.Draw(), Exception);
  EXPECT_EQ(diagram.canvas.Image().size(), QSize(70, 50));
}

TEST(DeepNesting, ManyThousandLoopsAreRefusedWithoutRecursion) {
  DiagramFixture diagram;
  TDomElement sequence = diagram.root;
  for (int i = 0; i < 5000; ++i) sequence = Add(sequence, "while", "w");
  try {
    diagram.Draw();
    FAIL() << "drawn";
  } catch (const Exception& error) {
    EXPECT_NE(std::string(error.what()).find("verschachtelt"), std::string::npos);
  }
}

TEST(TooLarge, DiagramBeyondOneBitmapIsRefusedWithItsSize) {
  DiagramFixture diagram({{"riesig", 9000000}});
  diagram.Draw();
  Add(diagram.root, "anweisung", "riesig");
  try {
    diagram.Draw();
    FAIL() << "drawn";
  } catch (const Exception& error) {
    EXPECT_NE(std::string(error.what()).find("9000040"), std::string::npos) << error.what();
  }
  EXPECT_EQ(diagram.canvas.Image().size(), QSize(70, 50));
}

// Such a text is measured only until it is too wide (see canvas.h); the
// refusal says no more than that.
TEST(TooLarge, TextMeasuredOnlyInPartIsRefusedAsWiderThanAnyBitmap) {
  DiagramFixture diagram({{"endlos", kWiderThanAnyBitmap}});
  TDomElement selection = Add(diagram.root, "auswahl", "c");
  Add(Add(selection, "fall", "a"), "anweisung", "endlos");
  Add(Add(selection, "fall", "b"), "anweisung", "endlos");
  try {
    diagram.Draw();
    FAIL() << "drawn";
  } catch (const Exception& error) {
    EXPECT_NE(std::string(error.what()).find("von mehr als 8000000 \xD7 110 Pixeln"), std::string::npos)
        << error.what();
  }
}

// Checked right after layout against what the run has left, before any
// bitmap is asked for; each picture drawn counts against the budget.
TEST(TooLarge, PictureBeyondWhatTheRunHasLeftIsRefusedWithItsSize) {
  DiagramFixture diagram({{"breit", 100}});
  const MemoryBudget budget(2 * 140 * 50 * 4);
  Add(diagram.root, "anweisung", "breit");
  diagram.Draw();
  EXPECT_EQ(budget.Left(), 140 * 50 * 4);
  Add(diagram.root, "anweisung", "breit");
  try {
    diagram.Draw();
    FAIL() << "drawn";
  } catch (const Exception& error) {
    EXPECT_NE(std::string(error.what()).find("140 \xD7 80"), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find("Arbeitsspeicher"), std::string::npos) << error.what();
  }
  EXPECT_EQ(diagram.canvas.Image().size(), QSize(140, 50));
}

// A random tree of every element kind, with texts of random lengths.
class RandomTree {
 public:
  explicit RandomTree(unsigned seed) : random_(seed) {}
  void Fill(TDomElement sequence, int depth) {
    const int count = Pick(0, depth > 3 ? 2 : 4);
    for (int i = 0; i < count; ++i) {
      static const char* const tags[] = {"anweisung", "aufruf", "aussprung", "ende",
                                         "while",     "until",  "auswahl",   "fremd"};
      const char* tag = tags[Pick(0, 7)];
      TDomElement child = Add(sequence, tag, Text());
      if (std::string(tag) == "while" || std::string(tag) == "until") Fill(child, depth + 1);
      if (std::string(tag) == "auswahl") {
        const int branches = Pick(0, 4);
        for (int b = 0; b < branches; ++b) {
          static const char* const labels[] = {"ja", "nein", "*)", "else", "a)", ""};
          Fill(Add(child, "fall", Pick(0, 1) ? labels[Pick(0, 5)] : Text()), depth + 1);
        }
      }
    }
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  std::string Text() {
    std::string text(static_cast<size_t>(Pick(0, 30)), ' ');
    for (char& c : text) c = static_cast<char>(Pick(0, 255));
    if (Pick(0, 5) == 0 && !text.empty()) text[0] = '\0';
    return text;
  }
  std::mt19937 random_;
};

TEST(RealFonts, RandomTreesNeverTripAnAssertionAndRedrawAlike) {
  const std::pair<const char*, int> fonts[] = {
      {"DejaVu Sans", 8}, {"DejaVu Serif", 13}, {"Liberation Mono", 10}, {"Arial", 23}};
  for (unsigned seed = 1; seed <= 40; ++seed) {
    test::DiagramFixture diagram;
    RandomTree(seed).Fill(diagram.root, 0);
    Canvas canvas;
    DiagramFont font;
    font.name = QString::fromLatin1(fonts[seed % 4].first);
    font.size = fonts[seed % 4].second;
    font.bold = seed % 3 == 0;
    font.italic = seed % 5 == 0;
    canvas.SetFont(font);
    DiagramMetrics metrics;
    metrics.Ausrichtung = static_cast<unsigned char>(seed % 4);
    DiagramPainter painter(metrics);
    ASSERT_NO_THROW(painter.DrawDiagram(diagram.document, canvas)) << "seed " << seed;
    const QImage& image = canvas.Image();
    // The outer frame's right edge closes every diagram.
    EXPECT_TRUE(IsBlack(image, image.width() - 10, image.height() - 10)) << "seed " << seed;
    EXPECT_EQ(canvas.Font(), font);
    EXPECT_EQ(canvas.GetBrushStyle(), BrushStyle::bsSolid);
    // The second drawing takes the texts' pictures, the third copies them.
    const QImage first = image;
    for (int drawing = 2; drawing <= 3; ++drawing) {
      painter.DrawDiagram(diagram.document, canvas);
      EXPECT_EQ(canvas.Image(), first) << "seed " << seed << ", drawing " << drawing;
    }
  }
}

}  // namespace
}  // namespace kova
