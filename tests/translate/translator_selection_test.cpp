// Selections: if/elif/else chains and the oddities of case.
#include "translate/translation_fixture.h"

namespace kova {
namespace {

using SelectionTest = TranslationTest;

// The tree of "if a", "x", "elif b", "y", "else", "z", "fi" with the
// captions of its two condition lines.
std::string ElifExample(const std::string& if_line, const std::string& elif_line) {
  return "data\n"
         "  auswahl \"" + if_line + "\"\n"
         "    fall \"ja\"\n"
         "      anweisung \"x\"\n"
         "    fall \"nein\"\n"
         "      auswahl \"" + elif_line + "\" #1\n"
         "        fall \"ja\"\n"
         "          anweisung \"y\"\n"
         "        fall \"nein\"\n"
         "          anweisung \"z\"\n";
}

TEST_F(SelectionTest, ElifChainNestsIntoNoBranchesAndFiClimbsOut) {
  EXPECT_EQ(Translate({"if a", "x", "elif b", "y", "else", "z", "fi", "after"}),
            ElifExample("if a", "elif b") + "  anweisung \"after\"\n");
  EXPECT_TRUE(errors_.empty());
}

TEST_F(SelectionTest, GermanKeywordsBuildTheSameChain) {
  EXPECT_EQ(Translate({"wenn a", "x", "sonst wenn b", "y", "sonst", "z", "ende wenn"}),
            ElifExample("wenn a", "sonst wenn b"));
}

TEST_F(SelectionTest, FiAddsTheMissingNoBranchOnly) {
  EXPECT_EQ(Translate({"if a", "x", "fi"}),
            "data\n  auswahl \"if a\"\n    fall \"ja\"\n      anweisung \"x\"\n    fall \"nein\"\n");
  EXPECT_EQ(Translate({"if a", "x", "else", "y", "fi"}),
            "data\n  auswahl \"if a\"\n    fall \"ja\"\n      anweisung \"x\"\n"
            "    fall \"nein\"\n      anweisung \"y\"\n");
}

TEST_F(SelectionTest, TwoElifsCountTwoAndLeaveEveryNoBranch) {
  EXPECT_EQ(Translate({"if a", "elif b", "elif c", "fi", "after"}),
            "data\n"
            "  auswahl \"if a\"\n"
            "    fall \"ja\"\n"
            "    fall \"nein\"\n"
            "      auswahl \"elif b\" #1\n"
            "        fall \"ja\"\n"
            "        fall \"nein\"\n"
            "          auswahl \"elif c\" #2\n"
            "            fall \"ja\"\n"
            "            fall \"nein\"\n"
            "  anweisung \"after\"\n");
}

TEST_F(SelectionTest, ElifChainInsideALoopReturnsToTheLoop) {
  EXPECT_EQ(Translate({"while x", "if a", "elif b", "fi", "in loop", "done", "out"}),
            "data\n"
            "  while \"while x\"\n"
            "    auswahl \"if a\"\n"
            "      fall \"ja\"\n"
            "      fall \"nein\"\n"
            "        auswahl \"elif b\" #1\n"
            "          fall \"ja\"\n"
            "          fall \"nein\"\n"
            "    anweisung \"in loop\"\n"
            "  anweisung \"out\"\n");
}

TEST_F(SelectionTest, ShellPunctuationDecidesWhatIsAKeyword) {
  EXPECT_EQ(Translate({"if x; then", "then", "do", "fi;", "done;"}),
            "data\n  auswahl \"if x; then\"\n    fall \"ja\"\n      anweisung \"then\"\n"
            "      anweisung \"do\"\n      anweisung \"fi;\"\n      anweisung \"done;\"\n");
  EXPECT_EQ(Translate({"IF x", "if\tx", "FI"}),
            "data\n  auswahl \"IF x\"\n    fall \"ja\"\n      anweisung \"if\tx\"\n    fall \"nein\"\n");
}

TEST_F(SelectionTest, CaseBranchesFollowPatternLines) {
  EXPECT_EQ(Translate({"case $a in", "1)", "echo eins", ";;", "", "*)", "echo sonst", ";;", "esac",
                       "after"}),
            "data\n"
            "  auswahl \"case $a in\"\n"
            "    fall \"1)\"\n"
            "      anweisung \"echo eins\"\n"
            "    fall \"*)\"\n"
            "      anweisung \"echo sonst\"\n"
            "  anweisung \"after\"\n");
  EXPECT_EQ(Translate({"auswahl x", "a)", "fall ende", "ende auswahl", "y"}),
            "data\n  auswahl \"auswahl x\"\n    fall \"a)\"\n  anweisung \"y\"\n");
}

TEST_F(SelectionTest, EsacInsideABranchIsAStatement) {
  EXPECT_EQ(Translate({"case x", "1)", "a", "esac", "b"}),
            "data\n  auswahl \"case x\"\n    fall \"1)\"\n      anweisung \"a\"\n"
            "      anweisung \"esac\"\n      anweisung \"b\"\n");
  EXPECT_EQ(Translate({"case x", "1) echo x;;", "2) echo y;;"}),
            "data\n  auswahl \"case x\"\n    fall \"1) echo x;;\"\n"
            "      anweisung \"2) echo y;;\"\n");
}

TEST_F(SelectionTest, EveryLineBetweenBranchesOpensOne) {
  const std::string expected =
      "data\n  auswahl \"case x\"\n    fall \"# eins\"\n    fall \"fi\"\n"
      "    fall \"while y\"\n";
  for (const bool comments : {false, true})
    EXPECT_EQ(Translate({"case x", "  # eins", ";;", "", " \t", "fi", ";;", "while y", ";;", "esac"},
                        comments),
              expected);
  EXPECT_EQ(Translate({"case x", "esac"}), "data\n  auswahl \"case x\"\n");
}

TEST_F(SelectionTest, BranchEndOutsideACaseBranch) {
  EXPECT_EQ(Translate({";;", "while x", ";;", "done"}), "data\n  while \"while x\"\n");
  // In an if's "ja" branch it leaves the branch: the next line opens a new
  // branch of the if's selection, even a fi line.
  EXPECT_EQ(Translate({"if a", ";;", "fi", "x", "fi", "y"}),
            "data\n  auswahl \"if a\"\n    fall \"ja\"\n    fall \"fi\"\n      anweisung \"x\"\n"
            "    fall \"nein\"\n  anweisung \"y\"\n");
}

TEST_F(SelectionTest, FiInACaseBranchClosesTheCase) {
  EXPECT_EQ(Translate({"case x", "1)", "a", "fi", "b"}),
            "data\n  auswahl \"case x\"\n    fall \"1)\"\n      anweisung \"a\"\n"
            "    fall \"nein\"\n  anweisung \"b\"\n");
}

TEST_F(SelectionTest, OpenSelectionsStayAsBuilt) {
  EXPECT_EQ(Translate({"if a", "x"}), "data\n  auswahl \"if a\"\n    fall \"ja\"\n      anweisung \"x\"\n");
  EXPECT_EQ(Translate({"if a", "else"}), "data\n  auswahl \"if a\"\n    fall \"ja\"\n    fall \"nein\"\n");
  EXPECT_TRUE(errors_.empty());
}

}  // namespace
}  // namespace kova
