// The editor's own conveniences and its status notification.
#include "app/editor/script_editor.h"

#include "app/editor/editor_bytes.h"

#include <Qsci/qscilexerbash.h>

#include <QScrollBar>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

#include <vector>

namespace kova {
namespace {

class ScriptEditorTest : public ::testing::Test {
 protected:
  ScriptEditorTest() {
    editor.Configure();
    QObject::connect(&editor, &ScriptEditor::StatusChanged,
                     [this](EditorStatusChanges changes) { reports.push_back(changes); });
  }

  EditorStatusChanges AllReported() const {
    EditorStatusChanges all;
    for (EditorStatusChanges changes : reports) all |= changes;
    return all;
  }

  ScriptEditor editor;
  std::vector<EditorStatusChanges> reports;
};

TEST_F(ScriptEditorTest, TypingReportsCaretAndModifiedAtOnce) {
  QTest::keyClicks(&editor, "ab");
  EXPECT_EQ(editor.text(), "ab");
  EXPECT_TRUE(AllReported().testFlag(scCaretX));
  EXPECT_TRUE(AllReported().testFlag(scModified));
  EXPECT_FALSE(AllReported().testFlag(scCaretY));
  EXPECT_EQ(editor.CaretX(), 3);
  EXPECT_EQ(editor.CaretY(), 1);
}

TEST_F(ScriptEditorTest, InsertKeyReportsTheModeAtOnce) {
  EXPECT_TRUE(editor.InsertMode());
  QTest::keyClick(&editor, Qt::Key_Insert);
  EXPECT_FALSE(editor.InsertMode());
  ASSERT_FALSE(reports.empty());
  EXPECT_TRUE(reports.back().testFlag(scInsertMode));
}

TEST_F(ScriptEditorTest, ClearingTheModifiedFlagIsReported) {
  QTest::keyClicks(&editor, "x");
  reports.clear();
  editor.setModified(false);
  EXPECT_TRUE(AllReported().testFlag(scModified));
}

TEST_F(ScriptEditorTest, TabInsertsBlanksToTheNextWordOfTheLineAbove) {
  editor.setText("if  [ x ]\n");
  editor.setCursorPosition(1, 0);
  QTest::keyClick(&editor, Qt::Key_Tab);
  EXPECT_EQ(editor.text(1), "    ");
  QTest::keyClick(&editor, Qt::Key_Tab);
  EXPECT_EQ(editor.text(1), "      ");
  EXPECT_FALSE(editor.text().contains('\t'));
}

TEST_F(ScriptEditorTest, TabWithoutAWordAboveUsesTheTabWidthInBlanks) {
  editor.setText("");
  QTest::keyClick(&editor, Qt::Key_Tab);
  EXPECT_EQ(editor.text(), "  ");
}

TEST_F(ScriptEditorTest, TabAndShiftTabIndentTheSelectedLines) {
  editor.setText("echo a\necho b\necho c");
  editor.setSelection(0, 0, 1, 3);
  QTest::keyClick(&editor, Qt::Key_Tab);
  EXPECT_EQ(editor.text(), "  echo a\n  echo b\necho c");
  editor.setSelection(2, 1, 2, 3);
  QTest::keyClick(&editor, Qt::Key_Tab);
  EXPECT_EQ(editor.text(2), "  echo c");
  EXPECT_TRUE(editor.hasSelectedText());
  QTest::keyClick(&editor, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(editor.text(2), "echo c");
}

TEST_F(ScriptEditorTest, EndStopsAtTheLastNonBlankFirst) {
  editor.setText("echo a   ");
  editor.setCursorPosition(0, 0);
  QTest::keyClick(&editor, Qt::Key_End);
  EXPECT_EQ(editor.CaretX(), 7);
  QTest::keyClick(&editor, Qt::Key_End);
  EXPECT_EQ(editor.CaretX(), 10);
}

TEST_F(ScriptEditorTest, EnterTrimsTheBlanksItLeavesBehindInOneUndoStep) {
  editor.setText("echo a   ");
  editor.setCursorPosition(0, 9);
  QTest::keyClick(&editor, Qt::Key_Return);
  EXPECT_EQ(editor.lines(), 2);
  EXPECT_EQ(editor.text(0).trimmed(), "echo a");
  EXPECT_FALSE(editor.text(0).startsWith("echo a "));
  editor.undo();
  EXPECT_EQ(editor.text(), "echo a   ");
}

TEST_F(ScriptEditorTest, BackspaceInLeadingBlanksStepsBackToTheSmartTabStops) {
  editor.setText("if x\n   y\n      z");
  editor.setCursorPosition(2, 6);
  QTest::keyClick(&editor, Qt::Key_Backspace);
  EXPECT_EQ(editor.text(2), "   z") << "back to where the word above starts, not by the indent width";
  QTest::keyClick(&editor, Qt::Key_Backspace);
  EXPECT_EQ(editor.text(2), "z") << "no word above starts left of 3 but the first line's at 0";

  // Where no word above starts left of the caret, one blank goes; outside the
  // leading blanks, one character.
  editor.setText("    a b");
  editor.setCursorPosition(0, 4);
  QTest::keyClick(&editor, Qt::Key_Backspace);
  EXPECT_EQ(editor.text(), "   a b");
  editor.setCursorPosition(0, 5);
  QTest::keyClick(&editor, Qt::Key_Backspace);
  EXPECT_EQ(editor.text(), "   ab");
}

TEST_F(ScriptEditorTest, EditedLineLosesItsTrailingBlanksWhenTheCaretLeavesIt) {
  LoadEditorBytes(editor, "read  \nx\nlast");
  editor.setCursorPosition(1, 1);
  QTest::keyClicks(&editor, "   ");
  QApplication::processEvents();
  EXPECT_EQ(editor.text(1), "x   \n") << "the caret's line keeps them while the user types";

  QTest::keyClick(&editor, Qt::Key_Down);
  QTest::keyClick(&editor, Qt::Key_Up);
  QTest::keyClick(&editor, Qt::Key_Up);
  QApplication::processEvents();
  EXPECT_EQ(editor.text(), "read  \nx\nlast") << "lines as read keep their blanks";

  // The trimming is one undo step; undone, the line keeps its blanks.
  editor.undo();
  EXPECT_EQ(editor.text(), "read  \nx   \nlast");
  QTest::keyClick(&editor, Qt::Key_Down);
  QApplication::processEvents();
  EXPECT_EQ(editor.text(1), "x   \n");
  editor.undo();
  EXPECT_EQ(editor.text(), "read  \nx\nlast");
  EXPECT_FALSE(editor.isModified());

  // Before saving, the caret's line is trimmed too.
  editor.setCursorPosition(2, 4);
  QTest::keyClicks(&editor, "  ");
  editor.TrimEditedLines();
  EXPECT_EQ(editor.text(), "read  \nx\nlast");
  EXPECT_TRUE(editor.isModified());
}

TEST_F(ScriptEditorTest, NewLineTakesTheIndentationOfTheLineAbove) {
  editor.setText("  if x");
  editor.setCursorPosition(0, 6);
  QTest::keyClick(&editor, Qt::Key_Return);
  QTest::keyClicks(&editor, "y");
  EXPECT_EQ(editor.text(1), "  y");
}

QPoint PointOf(ScriptEditor& editor, int line, int index) {
  const long position = editor.positionFromLineIndex(line, index);
  return {static_cast<int>(editor.SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, position)),
          static_cast<int>(editor.SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, position)) + 2};
}

TEST_F(ScriptEditorTest, RightClickMovesTheCaretUnlessItHitsTheSelection) {
  editor.resize(400, 300);
  editor.show();
  editor.setText("first line\nsecond line\n");
  editor.setCursorPosition(0, 0);
  QTest::mouseClick(editor.viewport(), Qt::RightButton, {}, PointOf(editor, 1, 3));
  EXPECT_EQ(editor.CaretY(), 2);
  EXPECT_EQ(editor.CaretX(), 4);

  editor.setSelection(0, 0, 0, 5);
  QTest::mouseClick(editor.viewport(), Qt::RightButton, {}, PointOf(editor, 0, 2));
  EXPECT_EQ(editor.selectedText(), "first");
}

TEST_F(ScriptEditorTest, DraggingTheScrollBarShowsTheTopLineNumber) {
  editor.resize(300, 200);
  editor.show();
  editor.setText(QString(500, u'\n'));
  QApplication::processEvents();
  QScrollBar* bar = editor.verticalScrollBar();
  bar->setSliderDown(true);
  bar->setSliderPosition(41);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), "42");
  bar->setSliderDown(false);
}

TEST_F(ScriptEditorTest, HighlighterKeepsTheEditorFont) {
  QFont font("Monospace", 13);
  editor.SetEditorFont(font);
  QsciLexerBash bash;
  editor.SetHighlighter(&bash);
  EXPECT_EQ(bash.font(QsciLexerBash::Keyword).pointSize(), 13);
  editor.SetHighlighter(nullptr);
  EXPECT_EQ(editor.lexer(), nullptr);
  EXPECT_EQ(editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETSIZE,
                                 QsciScintillaBase::STYLE_DEFAULT), 13);
}

}  // namespace
}  // namespace kova
