// The script editor: QScintilla in 8-bit mode with the program's editing
// conveniences that QScintilla lacks (smart tabs and Backspace back to their
// stops, the enhanced End key, trailing blanks trimmed from the lines the user
// edited, a right click that moves the caret, the top line's number while the
// scroll bar is dragged, a line-number gutter as wide as its numbers), and one
// status notification that says which parts of its state changed since the
// last one. Text it cannot hold (characters beyond ISO-8859-1) is refused
// rather than turned into "?".
#pragma once

#include <Qsci/qsciscintilla.h>

#include <QFlags>
#include <QKeySequence>
#include <QList>

#include <optional>

namespace kova {

enum EditorStatus : unsigned {
  scAll = 1u << 0,
  scCaretX = 1u << 1,
  scCaretY = 1u << 2,
  scLeftChar = 1u << 3,
  scTopLine = 1u << 4,
  scInsertMode = 1u << 5,
  scModified = 1u << 6,
  scSelection = 1u << 7,
  scReadOnly = 1u << 8,
};
Q_DECLARE_FLAGS(EditorStatusChanges, EditorStatus)

class ScriptEditor : public QsciScintilla {
  Q_OBJECT

 public:
  explicit ScriptEditor(QWidget* parent = nullptr);

  // Applies the editing options of the program: tab width 2, blanks instead of
  // tabs, auto-indent, smart tabs and the rest; see the .cpp for each.
  void Configure();

  // 1-based text line and character position of the caret.
  int CaretY() const;
  int CaretX() const;
  bool InsertMode() const { return !overwriteMode(); }

  // Compares the editor's state with the last report and emits StatusChanged
  // with what differs. The editor calls it after every key, mouse action and
  // notification; code that moves the caret or changes the text directly may
  // call it to report at once rather than at the next repaint.
  void CheckStatus();

  // Sets the text font on the editor and on its current highlighter, whose
  // styles otherwise keep their own fonts, and fits the gutter to it.
  void SetEditorFont(const QFont& font);
  const QFont& EditorFont() const { return font_; }
  // The colour of plain text while no highlighter is attached; a highlighter
  // colours the text by its own styles.
  void SetTextColor(const QColor& color);
  const QColor& TextColor() const { return textColor_; }
  // Attaches a highlighter (nullptr detaches it), keeping the editor font
  // and, without a highlighter, the text colour.
  void SetHighlighter(QsciLexer* highlighter);

  // Removes the blanks at the ends of the lines edited since they were read,
  // the caret's line included, in one undo step. The editor does so itself
  // for each edited line the caret leaves; lines as read keep their blanks.
  void TrimEditedLines();

  // Takes every key in `windowKeys` from the editor's own commands, so that
  // such a key does what the window's menu shows for it. The editing commands
  // the window offers too (undo, redo, cut, copy, paste) keep their keys.
  void YieldKeys(const QList<QKeySequence>& windowKeys);

  // Also keeps the layout of the lines on screen between repaints.
  void setWrapMode(WrapMode mode) override;

 signals:
  void StatusChanged(EditorStatusChanges changes);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  struct Status {
    int line = 0;
    int index = 0;
    int topLine = 0;
    int leftOffset = 0;
    long anchor = 0;
    long position = 0;
    bool overwrite = false;
    bool modified = false;
    bool readOnly = false;
  };
  Status CurrentStatus() const;

  QString LineText(int line) const;
  bool IndentSelectedLine(bool unindenting);
  int SmartTabStop(int line, int index, bool backwards) const;
  bool InsertSmartTab();
  bool DeleteToSmartTabStop();
  void MoveToEnhancedEnd(bool extend);
  void TrimBlanksBeforeCaret();
  void MarkEditedLines(int position, int modification, int length);
  long LineBesideWholeLines(long from, long to) const;
  bool IsEdited(long line) const;
  void SetEdited(long line, bool edited);
  long NextEditedLine(long from) const;
  void TrimEditedLinesExcept(long keptLine);
  void TrimLinesLeftLater();
  void ReportUnrepresentableText() const;
  void ApplyTextLook();
  void FitGutter();
  void ShowTopLineHint();

  QFont font_;
  QColor textColor_;
  Status reported_;
  bool trimPending_ = false;
  // Whether the line that stays when whole lines are removed was edited,
  // from just before the removal until just after it.
  std::optional<bool> keptLineEdited_;
};

}  // namespace kova

Q_DECLARE_OPERATORS_FOR_FLAGS(kova::EditorStatusChanges)
