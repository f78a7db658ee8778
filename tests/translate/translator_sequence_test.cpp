// Loops, simple elements, comments and functions.
#include "translate/translation_fixture.h"

#include "translate/tree.h"

namespace kova {
namespace {

using SequenceTest = TranslationTest;

TEST_F(SequenceTest, NoLinesGiveAnEmptyRoot) {
  EXPECT_EQ(Translate({}), "data\n");
  EXPECT_TRUE(functions_.empty());
  EXPECT_EQ(Translate({"", " \t\r", "\x01\x1F"}), "data\n");
}

TEST_F(SequenceTest, LinesAreTrimmedOfControlCharactersOnly) {
  EXPECT_EQ(Translate({"\t echo  a\tb \r", "\x7F", "\xA0x\xA0"}),
            "data\n  anweisung \"echo  a\tb\"\n  anweisung \"\x7F\"\n  anweisung \"\xA0x\xA0\"\n");
}

TEST_F(SequenceTest, HeadControlledLoops) {
  EXPECT_EQ(Translate({"for i in 1 2", "echo $i", "done", "until x", "y", "done", "solange x",
                       "ende solange", "f\xFCr i", "ende f\xFCr", "while y", "ende schleife"}),
            "data\n  while \"for i in 1 2\"\n    anweisung \"echo $i\"\n"
            "  while \"until x\"\n    anweisung \"y\"\n  while \"solange x\"\n"
            "  while \"f\xFCr i\"\n  while \"while y\"\n");
}

TEST_F(SequenceTest, FootControlledLoopTakesItsClosingLineAsCaption) {
  EXPECT_EQ(Translate({"schleife", "x", "wiederhole bis x > 3", "anfang schleife",
                       "fussgesteuerte schleife", "wiederhole bis a", "wiederhole bis b"}),
            "data\n  until \"wiederhole bis x > 3\"\n    anweisung \"x\"\n"
            "  until \"wiederhole bis b\"\n    until \"wiederhole bis a\"\n");
  // An open one has no caption at all.
  EXPECT_EQ(Translate({"schleife", "x"}), "data\n  until\n    anweisung \"x\"\n");
}

TEST_F(SequenceTest, BreakExitAndCallStayInTheirSequence) {
  EXPECT_EQ(Translate({"while true", "break", "aussprung 2", "done", "exit 1", "Programmende",
                       "aufruf f", "f", "f() {"}),
            "data\n  while \"while true\"\n    aussprung \"break\"\n    aussprung \"aussprung 2\"\n"
            "  ende \"exit 1\"\n  ende \"Programmende\"\n  aufruf \"aufruf f\"\n"
            "  anweisung \"f\"\n  anweisung \"f() {\"\n");
}

TEST_F(SequenceTest, CommentsOnlyWithTheOption) {
  const std::vector<std::string> lines = {"#!/bin/bash", "   # x", "echo x # y"};
  EXPECT_EQ(Translate(lines, false), "data\n  anweisung \"echo x # y\"\n");
  EXPECT_EQ(Translate(lines, true),
            "data\n  anweisung \"#!/bin/bash\"\n  anweisung \"# x\"\n  anweisung \"echo x # y\"\n");
}

TEST_F(SequenceTest, FunctionGetsItsOwnDocumentWithAMarkedHeader) {
  EXPECT_EQ(Translate({"function f {", "echo", "}", "main"}), "data\n  anweisung \"main\"\n");
  ASSERT_EQ(functions_.size(), 1u);
  EXPECT_EQ(Function(0), "data\n  aufruf \"\\0function f {\"\n  anweisung \"echo\"\n");
  const TDomNode header = functions_[0]->DocumentElement().firstChildElement();
  EXPECT_EQ(GetCaption(header), std::string("\0function f {", 13));
}

TEST_F(SequenceTest, FunctionsFollowEachOtherAtTheTopLevel) {
  EXPECT_EQ(Translate({"funktion a", "x", "}", "FUNCTION b", "y"}), "data\n");
  ASSERT_EQ(functions_.size(), 2u);
  EXPECT_EQ(Function(0), "data\n  aufruf \"\\0funktion a\"\n  anweisung \"x\"\n");
  EXPECT_EQ(Function(1), "data\n  aufruf \"\\0FUNCTION b\"\n  anweisung \"y\"\n");
  EXPECT_TRUE(errors_.empty());
}

TEST_F(SequenceTest, FunctionEndLeavesOpenStructuresOpen) {
  EXPECT_EQ(Translate({"function f", "while x", "a", "}", "b"}), "data\n  anweisung \"b\"\n");
  EXPECT_EQ(Function(0), "data\n  aufruf \"\\0function f\"\n  while \"while x\"\n    anweisung \"a\"\n");
  // In the main program too; a fi afterwards finds no selection.
  EXPECT_EQ(Translate({"if a", "}", "x", "fi"}),
            "data\n  auswahl \"if a\"\n    fall \"ja\"\n  anweisung \"x\"\n");
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_EQ(errors_[0].line_index, 3);
}

TEST_F(SequenceTest, GermanFunctionEndClosesTheFunction) {
  EXPECT_EQ(Translate({"funktion f", "x", "Funktion Ende", "y", "funktion ende", "z"}),
            "data\n  anweisung \"y\"\n  anweisung \"z\"\n");
  ASSERT_EQ(functions_.size(), 1u);
  EXPECT_EQ(Function(0), "data\n  aufruf \"\\0funktion f\"\n  anweisung \"x\"\n");
  EXPECT_TRUE(errors_.empty());
}

}  // namespace
}  // namespace kova
