// The editor search: scope, direction, case, whole words, selection, regular
// expressions and replacing everything as one undo step.
#include "app/editor/editor_search.h"

#include <Qsci/qsciscintilla.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "app/editor/text_search_engine.h"

namespace kova {
namespace {

class EditorSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.setUtf8(false);
    editor.setText("alpha beta\nBeta gamma beta\nbetamax");
  }

  int Find(const QString& text, SearchOptions options = {}) {
    return SearchReplace(editor, plain, text, QString(), options);
  }

  int FindRegex(const QString& text, SearchOptions options = {}) {
    return SearchReplace(editor, regex, text, QString(), options);
  }

  int ReplaceAll(TextSearchEngine& engine, const QString& text,
                 const QString& replacement, SearchOptions options = {}) {
    options.replaceAll = true;
    return SearchReplace(editor, engine, text, replacement, options);
  }

  // Selection as line, column of its start and end.
  std::array<int, 4> Selection() {
    std::array<int, 4> result{};
    editor.getSelection(&result[0], &result[1], &result[2], &result[3]);
    return result;
  }

  void PutCaret(int line, int column) { editor.setCursorPosition(line, column); }

  QsciScintilla editor;
  PlainTextSearch plain;
  RegexTextSearch regex;
};

using Sel = std::array<int, 4>;

TEST_F(EditorSearchTest, EntireScopeFindsTheFirstMatchWhereverTheCaretIs) {
  PutCaret(2, 0);
  EXPECT_EQ(1, Find("beta", {.entireScope = true}));
  EXPECT_EQ((Sel{0, 6, 0, 10}), Selection());
}

TEST_F(EditorSearchTest, FromTheCaretMovesOnToTheNextMatch) {
  PutCaret(0, 7);
  EXPECT_EQ(1, Find("beta"));
  EXPECT_EQ((Sel{1, 0, 1, 4}), Selection());
  EXPECT_EQ(1, Find("beta"));
  EXPECT_EQ((Sel{1, 11, 1, 15}), Selection());
  EXPECT_EQ(1, Find("beta"));
  EXPECT_EQ((Sel{2, 0, 2, 4}), Selection());
  EXPECT_EQ(0, Find("beta"));
}

TEST_F(EditorSearchTest, BackwardsFindsTheLastMatchAndThenTheOneBeforeIt) {
  EXPECT_EQ(1, Find("beta", {.backwards = true, .entireScope = true}));
  EXPECT_EQ((Sel{2, 0, 2, 4}), Selection());
  EXPECT_EQ(1, Find("beta", {.backwards = true}));
  EXPECT_EQ((Sel{1, 11, 1, 15}), Selection());
  int line = 0, column = 0;
  editor.getCursorPosition(&line, &column);
  EXPECT_EQ(11, column) << "the caret stands at the start of the match";
}

TEST_F(EditorSearchTest, MatchCaseSkipsOtherLetterCases) {
  PutCaret(0, 7);
  EXPECT_EQ(1, Find("Beta", {.matchCase = true}));
  EXPECT_EQ((Sel{1, 0, 1, 4}), Selection());
  EXPECT_EQ(0, Find("Beta", {.matchCase = true}));
}

TEST_F(EditorSearchTest, WholeWordsSkipAPartOfALongerWord) {
  EXPECT_EQ(3, ReplaceAll(plain, "beta", "X",
                          {.entireScope = true, .wholeWord = true}));
  EXPECT_EQ("alpha X\nX gamma X\nbetamax", editor.text());
}

TEST_F(EditorSearchTest, WholeWordFindsAWordHiddenBehindAPartialMatch) {
  editor.setText("aaa aa");
  EXPECT_EQ(1, Find("aa", {.entireScope = true, .wholeWord = true}));
  EXPECT_EQ((Sel{0, 4, 0, 6}), Selection());
}

TEST_F(EditorSearchTest, SelectionOnlyLooksInsideTheSelection) {
  editor.setSelection(1, 5, 2, 7);
  EXPECT_EQ(2, ReplaceAll(plain, "beta", "B", {.selectedOnly = true}));
  EXPECT_EQ("alpha beta\nBeta gamma B\nBmax", editor.text());
}

TEST_F(EditorSearchTest, AnExpressionSeesTheWholeLineAtTheEdgesOfScope) {
  editor.setText("xxyy");
  editor.setSelection(0, 0, 0, 2);
  EXPECT_EQ(0, ReplaceAll(regex, "x$", "Q", {.selectedOnly = true}));
  EXPECT_EQ("xxyy", editor.text()) << "the end of the selection is no line end";
  EXPECT_EQ(0, Find("xx", {.selectedOnly = true, .wholeWord = true}));
  editor.setSelection(0, 0, 0, 2);
  EXPECT_EQ(1, FindRegex("x(?=y)", {.selectedOnly = true}));
  EXPECT_EQ((Sel{0, 1, 0, 2}), Selection());
  editor.setSelection(0, 1, 0, 4);
  EXPECT_EQ(0, FindRegex("^x", {.selectedOnly = true}));
  editor.setSelection(0, 1, 0, 4);
  EXPECT_EQ(1, FindRegex("(?<=x)x", {.selectedOnly = true}));
  editor.setSelection(0, 0, 0, 1);
  EXPECT_EQ(0, ReplaceAll(regex, "x+", "Q", {.selectedOnly = true}))
      << "a match reaching past the selection is not cut to fit";
  PutCaret(0, 2);
  EXPECT_EQ(0, FindRegex("x$", {.backwards = true}));
  EXPECT_EQ(1, FindRegex("x\\B", {.backwards = true}));
  EXPECT_EQ((Sel{0, 1, 0, 2}), Selection());
}

TEST_F(EditorSearchTest, SelectionOnlyWithoutASelectionSearchesEverything) {
  EXPECT_EQ(4, ReplaceAll(plain, "beta", "B",
                          {.entireScope = true, .selectedOnly = true}));
}

TEST_F(EditorSearchTest, AnEmptySearchTextFindsNothing) {
  EXPECT_EQ(0, Find("", {.entireScope = true}));
  EXPECT_EQ(0, ReplaceAll(regex, "", "x", {.entireScope = true}));
}

TEST_F(EditorSearchTest, ReplaceAllCountsAndIsUndoneInOneStep) {
  const QString before = editor.text();
  EXPECT_EQ(4, ReplaceAll(plain, "BETA", "zeta", {.entireScope = true}));
  EXPECT_EQ("alpha zeta\nzeta gamma zeta\nzetamax", editor.text());
  editor.undo();
  EXPECT_EQ(before, editor.text());
}

TEST_F(EditorSearchTest, ReplaceAllFromTheCaretLeavesWhatComesBefore) {
  PutCaret(1, 5);
  EXPECT_EQ(2, ReplaceAll(plain, "beta", "-"));
  EXPECT_EQ("alpha beta\nBeta gamma -\n-max", editor.text());
}

TEST_F(EditorSearchTest, ReplaceAllBackwardsFromTheCaretCoversWhatComesBefore) {
  PutCaret(1, 5);
  EXPECT_EQ(2, ReplaceAll(plain, "beta", "-", {.backwards = true}));
  EXPECT_EQ("alpha -\n- gamma beta\nbetamax", editor.text());
}

TEST_F(EditorSearchTest, RegexMatchesWithinALine) {
  EXPECT_EQ(1, FindRegex("g[a-z]+a", {.entireScope = true}));
  EXPECT_EQ((Sel{1, 5, 1, 10}), Selection());
  EXPECT_EQ(1, FindRegex("^bet", {.backwards = true, .entireScope = true}));
  EXPECT_EQ((Sel{2, 0, 2, 3}), Selection());
}

TEST_F(EditorSearchTest, RegexReplacementUsesGroups) {
  EXPECT_EQ(2, ReplaceAll(regex, "(\\w+) (\\w+)", "$2 $1\\$",
                          {.entireScope = true}));
  EXPECT_EQ("beta alpha$\ngamma Beta$ beta\nbetamax", editor.text());
}

TEST_F(EditorSearchTest, RegexEmptyMatchesInsertTextOnEveryLine) {
  EXPECT_EQ(3, ReplaceAll(regex, "^", "# ", {.entireScope = true}));
  EXPECT_EQ("# alpha beta\n# Beta gamma beta\n# betamax", editor.text());
}

TEST_F(EditorSearchTest, AnInvalidExpressionRaisesTheEnginesMessage) {
  try {
    FindRegex("(beta", {.entireScope = true});
    FAIL() << "no error raised";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(0, std::string(error.what()).rfind("TRegExpr(comp): ", 0))
        << error.what();
    EXPECT_GT(std::string(error.what()).size(), 20u);
  }
}

TEST_F(EditorSearchTest, AnExpressionThatBacktracksTooLongEndsTheSearchUnchanged) {
  QString lines;
  for (int i = 0; i < 200; ++i) lines += QString(30, 'a') + "b\n";
  editor.setText(lines + "aaa");
  editor.setSelection(0, 1, 0, 2);
  EXPECT_THROW(FindRegex("^(a+)+$", {.entireScope = true}), ExpressionTooComplex);
  EXPECT_EQ((Sel{0, 1, 0, 2}), Selection());
  try {
    ReplaceAll(regex, "^(a+)+$", "x", {.entireScope = true});
    FAIL() << "no error raised";
  } catch (const ExpressionTooComplex& error) {
    EXPECT_STREQ("Der reguläre Ausdruck ist für diesen Text zu aufwendig; die Suche wurde "
                 "abgebrochen.",
                 error.what());
  }
  EXPECT_EQ(lines + "aaa", editor.text());
  editor.setText("x" + QString(100'000, 'a') + "y");
  EXPECT_EQ(1, FindRegex("x.*?y", {.entireScope = true}))
      << "a lazy match spanning a long line stays within the limit";
}

TEST_F(EditorSearchTest, EightBitTextKeepsItsPositions) {
  editor.setText(QString::fromLatin1("\xe4\xf6\xfc beta \xc4"));
  EXPECT_EQ(1, Find("beta", {.entireScope = true}));
  EXPECT_EQ((Sel{0, 4, 0, 8}), Selection());
  EXPECT_EQ(2, ReplaceAll(plain, QString::fromLatin1("\xe4"), "y",
                          {.entireScope = true}));
  EXPECT_EQ(QString::fromLatin1("y\xf6\xfc beta y"), editor.text());
}

}  // namespace
}  // namespace kova
