#include "app/editor/script_editor.h"

#include <Qsci/qscilexer.h>

#include <QCursor>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>

namespace kova {

namespace {

constexpr int kLineNumberMargin = 0;
constexpr int kMinimumGutterDigits = 2;

bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }

// Number of digits of a positive number.
int DigitCount(int number) {
  int digits = 1;
  for (; number >= 10; number /= 10) {
    ++digits;
  }
  return digits;
}

// Scripts are read in columns, so the editor starts in the system's
// fixed-pitch font rather than the widgets' proportional one.
QFont StartFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(10);
  return font;
}

}  // namespace

ScriptEditor::ScriptEditor(QWidget* parent)
    : QsciScintilla(parent), font_(StartFont()), textColor_(color()) {
  setFont(font_);
  setMarginsFont(font_);
  connect(this, &QsciScintillaBase::SCN_UPDATEUI, this, &ScriptEditor::CheckStatus);
  connect(this, &QsciScintilla::selectionChanged, this, &ScriptEditor::CheckStatus);
  connect(this, &QsciScintilla::modificationChanged, this, &ScriptEditor::CheckStatus);
  connect(this, &QsciScintilla::cursorPositionChanged, this, &ScriptEditor::CheckStatus);
  connect(this, &QsciScintilla::linesChanged, this, &ScriptEditor::FitGutter);
  connect(verticalScrollBar(), &QScrollBar::sliderMoved, this, &ScriptEditor::ShowTopLineHint);
  reported_ = CurrentStatus();
}

void ScriptEditor::Configure() {
  // A line-number gutter only; Scintilla's symbol margin would be a second one.
  setMarginType(kLineNumberMargin, QsciScintilla::NumberMargin);
  setMarginLineNumbers(kLineNumberMargin, true);
  for (int margin = 1; margin < 5; ++margin) {
    setMarginWidth(margin, 0);
  }
  FitGutter();

  setTabWidth(2);
  // The current line keeps its colour while the focus is elsewhere.
  setCaretLineVisible(true);
  SendScintilla(SCI_SETCARETLINEVISIBLEALWAYS, 1);
  setCaretLineBackgroundColor(QColor(255, 255, 185));

  setAutoIndent(true);
  // The horizontal scroll range grows to the longest line and no further, so
  // the horizontal scroll bar is there only while a line needs it.
  SendScintilla(SCI_SETSCROLLWIDTH, 1);
  SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // Backspace in the leading blanks steps back one indentation level.
  setBackspaceUnindents(true);
  setTabIndents(true);
  setIndentationsUseTabs(false);
  setWrapMode(QsciScintilla::WrapNone);
}

int ScriptEditor::CaretY() const {
  int line = 0;
  int index = 0;
  getCursorPosition(&line, &index);
  return line + 1;
}

int ScriptEditor::CaretX() const {
  int line = 0;
  int index = 0;
  getCursorPosition(&line, &index);
  return index + 1;
}

ScriptEditor::Status ScriptEditor::CurrentStatus() const {
  Status status;
  getCursorPosition(&status.line, &status.index);
  auto* self = const_cast<ScriptEditor*>(this);  // SendScintilla is not const
  status.topLine = static_cast<int>(self->SendScintilla(SCI_GETFIRSTVISIBLELINE));
  status.leftOffset = static_cast<int>(self->SendScintilla(SCI_GETXOFFSET));
  status.anchor = self->SendScintilla(SCI_GETANCHOR);
  status.position = self->SendScintilla(SCI_GETCURRENTPOS);
  status.overwrite = overwriteMode();
  status.modified = isModified();
  status.readOnly = isReadOnly();
  return status;
}

void ScriptEditor::CheckStatus() {
  const Status now = CurrentStatus();
  EditorStatusChanges changes;
  if (now.index != reported_.index) changes |= scCaretX;
  if (now.line != reported_.line) changes |= scCaretY;
  if (now.leftOffset != reported_.leftOffset) changes |= scLeftChar;
  if (now.topLine != reported_.topLine) changes |= scTopLine;
  if (now.overwrite != reported_.overwrite) changes |= scInsertMode;
  if (now.modified != reported_.modified) changes |= scModified;
  if (now.anchor != reported_.anchor || now.position != reported_.position) {
    changes |= scSelection;
  }
  if (now.readOnly != reported_.readOnly) changes |= scReadOnly;
  reported_ = now;
  if (changes) {
    emit StatusChanged(changes);
  }
}

void ScriptEditor::SetEditorFont(const QFont& font) {
  font_ = font;
  ApplyTextLook();
}

void ScriptEditor::SetTextColor(const QColor& color) {
  textColor_ = color;
  ApplyTextLook();
}

void ScriptEditor::SetHighlighter(QsciLexer* highlighter) {
  setLexer(highlighter);
  ApplyTextLook();
}

void ScriptEditor::ApplyTextLook() {
  if (lexer() != nullptr) {
    lexer()->setFont(font_);
  } else {
    setFont(font_);
    setColor(textColor_);
    // Text keeps the styles a detached highlighter gave it, and detaching
    // reset those styles to Scintilla's own proportional black font: every
    // style takes the editor's look from the default style.
    SendScintilla(SCI_STYLESETFORE, STYLE_DEFAULT, textColor_);
    SendScintilla(SCI_STYLECLEARALL);
  }
  setMarginsFont(font_);
  FitGutter();
}

void ScriptEditor::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  const bool editable = !isReadOnly();
  const bool tabKey = (event->key() == Qt::Key_Tab && modifiers == Qt::NoModifier) ||
                      event->key() == Qt::Key_Backtab;
  if (tabKey && editable && IndentSelectedLine(event->key() == Qt::Key_Backtab)) {
    event->accept();
  } else if (event->key() == Qt::Key_Tab && modifiers == Qt::NoModifier && editable &&
             InsertSmartTab()) {
    event->accept();
  } else if (event->key() == Qt::Key_End && (modifiers & ~Qt::ShiftModifier) == 0) {
    MoveToEnhancedEnd(modifiers == Qt::ShiftModifier);
    event->accept();
  } else if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
             modifiers == Qt::NoModifier && editable && !hasSelectedText()) {
    // One undo step takes back both the line break and the trimming.
    beginUndoAction();
    TrimBlanksBeforeCaret();
    QsciScintilla::keyPressEvent(event);
    endUndoAction();
  } else {
    QsciScintilla::keyPressEvent(event);
  }
  CheckStatus();
}

void ScriptEditor::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    const QPoint at = event->position().toPoint();
    const long position = SendScintilla(SCI_POSITIONFROMPOINT, at.x(), at.y());
    const long from = SendScintilla(SCI_GETSELECTIONSTART);
    const long to = SendScintilla(SCI_GETSELECTIONEND);
    // A right click into the selection keeps it for the context menu.
    if (from == to || position < from || position > to) {
      SendScintilla(SCI_GOTOPOS, position);
    }
  }
  QsciScintilla::mousePressEvent(event);
  CheckStatus();
}

void ScriptEditor::mouseReleaseEvent(QMouseEvent* event) {
  QsciScintilla::mouseReleaseEvent(event);
  CheckStatus();
}

// Scintilla indents the lines of a selection over several lines itself but
// would replace a selection within one line; that line is indented as well.
bool ScriptEditor::IndentSelectedLine(bool unindenting) {
  int fromLine = 0;
  int fromIndex = 0;
  int toLine = 0;
  int toIndex = 0;
  getSelection(&fromLine, &fromIndex, &toLine, &toIndex);
  if (!hasSelectedText() || fromLine != toLine) {
    return false;
  }
  if (unindenting) {
    unindent(fromLine);
  } else {
    indent(fromLine);
  }
  return true;
}

// Tab moves to where the next word starts in the nearest line above that has
// one beyond the caret; without such a line Tab does its usual work.
bool ScriptEditor::InsertSmartTab() {
  if (hasSelectedText()) {
    return false;
  }
  int line = 0;
  int index = 0;
  getCursorPosition(&line, &index);
  for (int above = line - 1; above >= 0; --above) {
    const QString upper = text(above);
    const int length = static_cast<int>(upper.size());
    int column = index;
    while (column < length && !IsBlank(upper[column]) && upper[column] != u'\r' &&
           upper[column] != u'\n') {
      ++column;
    }
    while (column < length && IsBlank(upper[column])) {
      ++column;
    }
    if (column < length && upper[column] != u'\r' && upper[column] != u'\n') {
      insert(QString(column - index, u' '));
      setCursorPosition(line, column);
      return true;
    }
  }
  return false;
}

// End goes to the last non-blank character first, and from there (or on a
// line of blanks only) to the end of the line.
void ScriptEditor::MoveToEnhancedEnd(bool extend) {
  int line = 0;
  int index = 0;
  getCursorPosition(&line, &index);
  QString content = text(line);
  while (!content.isEmpty() && (content.back() == u'\n' || content.back() == u'\r')) {
    content.chop(1);
  }
  const int end = static_cast<int>(content.size());
  int lastNonBlank = end;
  while (lastNonBlank > 0 && IsBlank(content[lastNonBlank - 1])) {
    --lastNonBlank;
  }
  const int target = (index == lastNonBlank || lastNonBlank == 0) ? end : lastNonBlank;
  const long position = positionFromLineIndex(line, target);
  SendScintilla(extend ? SCI_SETCURRENTPOS : SCI_GOTOPOS, position);
  SendScintilla(SCI_CHOOSECARETX);
  SendScintilla(SCI_SCROLLCARET);
}

void ScriptEditor::TrimBlanksBeforeCaret() {
  int line = 0;
  int index = 0;
  getCursorPosition(&line, &index);
  const QString content = text(line);
  int start = std::min(index, static_cast<int>(content.size()));
  while (start > 0 && IsBlank(content[start - 1])) {
    --start;
  }
  if (start < index) {
    setSelection(line, start, line, index);
    removeSelectedText();
  }
}

void ScriptEditor::FitGutter() {
  const int digits = std::max(kMinimumGutterDigits, DigitCount(std::max(1, lines())));
  // One digit more than the numbers need leaves a margin around them.
  setMarginWidth(kLineNumberMargin, QString(digits + 1, u'9'));
}

void ScriptEditor::ShowTopLineHint() {
  const long visible = verticalScrollBar()->sliderPosition();
  const long line = SendScintilla(SCI_DOCLINEFROMVISIBLE, visible) + 1;
  QToolTip::showText(QCursor::pos(), QString::number(line), this);
}

}  // namespace kova
