// The width and height that layout writes into the tree.
#include <gtest/gtest.h>

#include "render/diagram_support.h"

namespace kova {
namespace {

using test::Add;
using test::DiagramFixture;

class Layout : public ::testing::Test {
 protected:
  Layout()
      : diagram({{"s100", 100},
                 {"s20", 20},
                 {"s60", 60},
                 {"c100", 100},
                 {"ja", 12},
                 {"nein", 24},
                 {"s40", 40},
                 {"lang", 80},
                 {std::string("\0f", 2), 70}}) {}
  void Run() {
    DiagramPainter painter(diagram.metrics);
    painter.SetTarget(diagram.document, diagram.canvas);
    width = painter.ComputeWidth(diagram.root);
    height = painter.ComputeHeight(diagram.root);
  }
  int Breite(const TDomElement& e) { return diagram.AttributeOf(e, "breite"); }
  int Hoehe(const TDomElement& e) { return diagram.AttributeOf(e, "hoehe"); }

  DiagramFixture diagram;
  long long width = 0;
  long long height = 0;
};

TEST_F(Layout, EmptyDiagramIsOneEmptyRow) {
  Run();
  EXPECT_EQ(width, 50);
  EXPECT_EQ(height, 30);
  EXPECT_EQ(diagram.root.attribute("breite"), "50");
  EXPECT_EQ(diagram.root.attribute("hoehe"), "30");
}

TEST_F(Layout, NarrowTextsStillNeedTheSmallestWidth) {
  Add(diagram.root, "anweisung", "a");
  Run();
  EXPECT_EQ(width, 50);
}

TEST_F(Layout, EachRowKindAddsItsMarginsToTheText) {
  const std::pair<const char*, long long> expected[] = {
      {"anweisung", 120}, {"ende", 120},   {"while", 120},    {"until", 120},
      {"auswahl", 120},   {"aufruf", 140}, {"aussprung", 130}};
  for (auto [tag, need] : expected) {
    DiagramFixture single({{"s100", 100}});
    Add(single.root, tag, "s100");
    DiagramPainter painter(single.metrics);
    painter.SetTarget(single.document, single.canvas);
    EXPECT_EQ(painter.ComputeWidth(single.root), need) << tag;
  }
}

TEST_F(Layout, LoopCarriesTheSizeOfItsBody) {
  TDomElement loop = Add(diagram.root, "while", "s20");
  Run();
  EXPECT_EQ(width, 65);
  EXPECT_EQ(Breite(loop), 50);
  EXPECT_EQ(Hoehe(loop), 30);
  EXPECT_EQ(height, 60);
}

TEST_F(Layout, WorkedExample) {
  Add(diagram.root, "anweisung", "s60");
  TDomElement selection = Add(diagram.root, "auswahl", "c100");
  TDomElement yes = Add(selection, "fall", "ja");
  Add(yes, "anweisung", "s40");
  TDomElement no = Add(selection, "fall", "nein");
  Run();
  EXPECT_EQ(Breite(yes), 60);
  EXPECT_EQ(Breite(no), 50);
  EXPECT_EQ(Breite(selection), 110);
  EXPECT_EQ(width, 120);
  EXPECT_EQ(Hoehe(yes), 30);
  EXPECT_EQ(Hoehe(no), 30);
  EXPECT_EQ(Hoehe(selection), 30);
  EXPECT_EQ(height, 120);
}

TEST_F(Layout, WideLabelWidensItsBranch) {
  TDomElement selection = Add(diagram.root, "auswahl", "c");
  TDomElement branch = Add(selection, "fall", "lang");
  Run();
  EXPECT_EQ(Breite(branch), 100);
  EXPECT_EQ(Breite(selection), 100);
}

TEST_F(Layout, WideConditionWidensTheSequenceNotTheSelection) {
  TDomElement selection = Add(diagram.root, "auswahl", "c100");
  Add(selection, "fall", "ja");
  Run();
  EXPECT_EQ(Breite(selection), 50);
  EXPECT_EQ(width, 120);
}

TEST_F(Layout, UnknownElementsAddNothingAndStrayBranchOnlyWidth) {
  Add(diagram.root, "fremd", "s100");
  Run();
  EXPECT_EQ(width, 50);
  EXPECT_EQ(height, 30);
  Add(diagram.root, "fall", "s100");
  Run();
  EXPECT_EQ(width, 120);
  EXPECT_EQ(height, 30);
}

TEST_F(Layout, SelectionWithoutBranchesStillNeedsItsHead) {
  TDomElement selection = Add(diagram.root, "auswahl", "c100");
  Run();
  EXPECT_EQ(selection.attribute("breite"), "0");
  EXPECT_EQ(selection.attribute("hoehe"), "0");
  EXPECT_EQ(width, 120);
  EXPECT_EQ(height, 60);
}

TEST_F(Layout, FunctionHeaderIsMeasuredWithItsMarker) {
  Add(diagram.root, "aufruf", std::string("\0f", 2));
  Run();
  EXPECT_EQ(width, 70 + 20 + 20);
}

TEST_F(Layout, MetricsShapeTheSizes) {
  diagram.metrics.AnweisungsHoehe = 20;
  diagram.metrics.NullBreite = 10;
  diagram.metrics.Abstand = 1;
  diagram.metrics.SchleifenBreite = 7;
  TDomElement loop = Add(diagram.root, "until", "s20");
  Add(loop, "anweisung", "s40");
  Run();
  EXPECT_EQ(width, 42 + 7);
  EXPECT_EQ(height, 40);
}

}  // namespace
}  // namespace kova
