#include "app/editor/script_editor.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qscilexer.h>

#include <QCursor>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <optional>
#include <vector>

#include "app/editor/editor_bytes.h"
#include "app/editor/smart_tabs.h"
#include "app/platform/dialog_seam.h"
#include "app/platform/system_beep.h"

namespace kova {

namespace {

constexpr int kLineNumberMargin = 0;
constexpr int kMinimumGutterDigits = 2;
constexpr unsigned long kMeasuredPiecesKept = 1 << 16;

// An invisible marker on each line the user edited. Scintilla moves markers
// with their lines, so the mark stays on the right line whatever is inserted
// or removed above it.
constexpr int kEditedLineMarker = 0;
constexpr int kEditedLineMask = 1 << kEditedLineMarker;

// The editing commands of the window that the editor has as well; their keys
// do the same in both.
constexpr QsciCommand::Command kSharedCommands[] = {QsciCommand::Undo, QsciCommand::Redo,
                                                    QsciCommand::SelectionCut,
                                                    QsciCommand::SelectionCopy, QsciCommand::Paste};

// The text QScintilla inserts for a paste: the plain text, whatever else comes
// with it, such as the URLs of files copied in a file manager.
QString PastedText(const QMimeData* source) {
  return source->hasFormat(QStringLiteral("text/plain")) ? source->text() : QString();
}

// The text QScintilla inserts for a drop: none for URLs, which it only
// reports, else what a paste would insert.
QString DroppedText(const QMimeData* source) {
  return source->hasUrls() ? QString() : PastedText(source);
}

QString Latin1Part(const QString& text) {
  QString part;
  for (QChar c : text) {
    if (c.unicode() < 256) part += c;
  }
  return part;
}

// Number of digits of a positive number.
int DigitCount(int number) {
  int digits = 1;
  for (; number >= 10; number /= 10) {
    ++digits;
  }
  return digits;
}

// Scripts are read in columns, so the editor starts in a fixed-pitch font
// rather than the widgets' proportional one. The system's fixed font is not
// always one: fontconfig may name a monospaced face that carries no spacing
// flag, and Qt then lays it out as proportional. The first family the font
// database knows as fixed-pitch serves instead.
QFont StartFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(10);
  if (!QFontInfo(font).fixedPitch()) {
    const QStringList families = QFontDatabase::families();
    const auto fixed = std::find_if(families.begin(), families.end(),
                                    [](const QString& family) { return QFontDatabase::isFixedPitch(family); });
    if (fixed != families.end()) {
      font.setFamily(*fixed);
    }
  }
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
  SendScintilla(SCI_MARKERDEFINE, kEditedLineMarker, SC_MARK_EMPTY);
  connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
          [this](int position, int modification, const char*, int length) {
            MarkEditedLines(position, modification, length);
          });
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
  setTabIndents(true);
  setIndentationsUseTabs(false);
  setWrapMode(QsciScintilla::WrapNone);
  // Laying out a line measures every character of it, which takes seconds
  // for a line of many megabytes. Short pieces of text recur within a line
  // and from line to line; each is measured once (a few megabytes at most).
  SendScintilla(SCI_SETPOSITIONCACHE, kMeasuredPiecesKept);
  // Redo on the window's key, so that the editor's context menu names the
  // same key as the window's menu; Ctrl+Y redoes as well.
  QsciCommand* redo = standardCommands()->find(QsciCommand::Redo);
  redo->setKey(QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z).toCombined());
  redo->setAlternateKey(QKeyCombination(Qt::ControlModifier, Qt::Key_Y).toCombined());
}

void ScriptEditor::YieldKeys(const QList<QKeySequence>& windowKeys) {
  for (QsciCommand* command : standardCommands()->commands()) {
    if (std::ranges::find(kSharedCommands, command->command()) != std::end(kSharedCommands)) {
      continue;
    }
    if (windowKeys.contains(QKeySequence(command->key()))) command->setKey(0);
    if (windowKeys.contains(QKeySequence(command->alternateKey()))) command->setAlternateKey(0);
  }
}

void ScriptEditor::setWrapMode(WrapMode mode) {
  QsciScintilla::setWrapMode(mode);
  // Without wrapping QScintilla keeps the layout of the caret's line alone,
  // and even that not from one repaint to the next; the lines on screen
  // keep theirs instead. Wrapping keeps every line's already.
  if (mode == WrapNone) SendScintilla(SCI_SETLAYOUTCACHE, SC_CACHE_PAGE);
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
  if (changes & scCaretY) TrimLinesLeftLater();
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
  if (editable && !IsLatin1Text(event->text())) {
    // Scintilla would type "?" for a character it cannot hold.
    MessageBeep(BeepSound::Default);
    const QString typeable = Latin1Part(event->text());
    if (!typeable.isEmpty()) {
      QKeyEvent reduced(event->type(), event->key(), event->modifiers(), typeable,
                        event->isAutoRepeat(), static_cast<quint16>(event->count()));
      QsciScintilla::keyPressEvent(&reduced);
    }
    event->accept();
  } else if (event->key() == Qt::Key_Backspace && modifiers == Qt::NoModifier && editable &&
             DeleteToSmartTabStop()) {
    event->accept();
  } else if (tabKey && editable && IndentSelectedLine(event->key() == Qt::Key_Backtab)) {
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

void ScriptEditor::inputMethodEvent(QInputMethodEvent* event) {
  if (isReadOnly() || IsLatin1Text(event->commitString())) {
    QsciScintilla::inputMethodEvent(event);
  } else {
    MessageBeep(BeepSound::Default);
    QInputMethodEvent withoutCommit(event->preeditString(), event->attributes());
    QsciScintilla::inputMethodEvent(&withoutCommit);
    event->accept();
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

// Every paste comes here first; refusing text stops it before the selection
// is replaced. The 8-bit editor would turn a character beyond ISO-8859-1
// into "?".
bool ScriptEditor::canInsertFromMimeData(const QMimeData* source) const {
  if (!QsciScintilla::canInsertFromMimeData(source)) return false;
  if (IsLatin1Text(PastedText(source))) return true;
  ReportUnrepresentableText();
  return false;
}

void ScriptEditor::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

void ScriptEditor::dragMoveEvent(QDragMoveEvent* event) {
  // Such text is let in, so that dropping it can say why nothing came of it.
  if (!isReadOnly() && !IsLatin1Text(DroppedText(event->mimeData()))) {
    event->acceptProposedAction();
  } else {
    QsciScintilla::dragMoveEvent(event);
  }
}

void ScriptEditor::dropEvent(QDropEvent* event) {
  if (!isReadOnly() && !IsLatin1Text(DroppedText(event->mimeData()))) {
    // Refused, the drop leaves the text with its source, also for a move.
    event->setDropAction(Qt::IgnoreAction);
    event->ignore();
    QDragLeaveEvent leave;
    QsciScintilla::dragLeaveEvent(&leave);
    ReportUnrepresentableText();
  } else {
    QsciScintilla::dropEvent(event);
  }
  CheckStatus();
}

void ScriptEditor::ReportUnrepresentableText() const {
  // Shown once the paste or drop is over: a modal box inside a drop would
  // keep the dragging program waiting.
  QTimer::singleShot(0, this, [] {
    ShowError(QStringLiteral(
        "Der Text enthält Zeichen, die der Editor nicht darstellen kann (er kennt nur "
        "die Zeichen von ISO-8859-1); es wurde nichts eingefügt."));
  });
}

QString ScriptEditor::LineText(int line) const {
  QString content = text(line);
  while (!content.isEmpty() && (content.back() == u'\n' || content.back() == u'\r')) {
    content.chop(1);
  }
  return content;
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

// The nearest line above that has a word start right (left, going
// backwards) of index decides where a smart tab stops; -1 when none has.
int ScriptEditor::SmartTabStop(int line, int index, bool backwards) const {
  for (int above = line - 1; above >= 0; --above) {
    const QString upper = LineText(above);
    const int stop = backwards ? PreviousWordStart(upper, index) : NextWordStart(upper, index);
    if (stop >= 0) return stop;
  }
  return -1;
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
  const int stop = SmartTabStop(line, index, false);
  if (stop < 0) return false;
  insert(QString(stop - index, u' '));
  setCursorPosition(line, stop);
  return true;
}

// Backspace in a line's leading blanks goes back to where a smart tab stops,
// or by one blank where no stop lies left of the caret.
bool ScriptEditor::DeleteToSmartTabStop() {
  if (hasSelectedText()) return false;
  int line = 0;
  int index = 0;
  getCursorPosition(&line, &index);
  const QString content = LineText(line);
  if (index == 0 || index > content.size() ||
      !std::all_of(content.begin(), content.begin() + index, IsBlank)) {
    return false;
  }
  const int stop = SmartTabStop(line, index, true);
  setSelection(line, stop < 0 ? index - 1 : stop, line, index);
  removeSelectedText();
  return true;
}

// End goes to the last non-blank character first, and from there (or on a
// line of blanks only) to the end of the line.
void ScriptEditor::MoveToEnhancedEnd(bool extend) {
  int line = 0;
  int index = 0;
  getCursorPosition(&line, &index);
  const QString content = LineText(line);
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

// Text the user inserts or removes marks the lines whose characters it
// changes as edited; undoing it takes the mark back, so that a line undone to
// what was read keeps its blanks. Loading a file records no undo, and its
// lines are as read.
void ScriptEditor::MarkEditedLines(int position, int modification, int length) {
  if ((modification & (SC_MOD_INSERTTEXT | SC_MOD_BEFOREDELETE | SC_MOD_DELETETEXT)) == 0 ||
      SendScintilla(SCI_GETUNDOCOLLECTION) == 0) {
    return;
  }
  const long from = position;
  const long to = from + length;
  const bool edited = (modification & SC_PERFORMED_UNDO) == 0;
  const long first = SendScintilla(SCI_LINEFROMPOSITION, from);
  if ((modification & SC_MOD_BEFOREDELETE) != 0) {
    // Scintilla gives the line that stays the marks of the lines removed
    // beside it; it keeps its own.
    const long kept = LineBesideWholeLines(from, to);
    keptLineEdited_ = kept < 0 ? std::nullopt : std::optional<bool>(IsEdited(kept));
  } else if ((modification & SC_MOD_DELETETEXT) != 0) {
    SetEdited(first, keptLineEdited_.value_or(edited));
    keptLineEdited_.reset();
  } else {
    // Scintilla keeps the mark with the line that new whole lines push down
    // or follow.
    const long kept = LineBesideWholeLines(from, to);
    const long last = SendScintilla(SCI_LINEFROMPOSITION, to);
    for (long line = first; line <= last; ++line) {
      if (line != kept) SetEdited(line, edited);
    }
  }
}

// Text from a line's start to a later line's start, or from a line's end to
// a later line's end, is whole lines with their breaks: inserting or
// removing it changes no character of the line after or before it. That
// line, or -1 where the text is not whole lines.
long ScriptEditor::LineBesideWholeLines(long from, long to) const {
  const long fromLine = SendScintilla(SCI_LINEFROMPOSITION, from);
  const long toLine = SendScintilla(SCI_LINEFROMPOSITION, to);
  const auto startsLine = [this](long line, long position) {
    return SendScintilla(SCI_POSITIONFROMLINE, line) == position;
  };
  const auto endsLine = [this](long line, long position) {
    return SendScintilla(SCI_GETLINEENDPOSITION, line) == position;
  };
  if (fromLine == toLine) return -1;
  if (startsLine(fromLine, from) && startsLine(toLine, to)) return toLine;
  if (endsLine(fromLine, from) && endsLine(toLine, to)) return fromLine;
  return -1;
}

bool ScriptEditor::IsEdited(long line) const {
  return (SendScintilla(SCI_MARKERGET, line) & kEditedLineMask) != 0;
}

void ScriptEditor::SetEdited(long line, bool edited) {
  // Joining marked lines can leave one line with two marks.
  if (edited && !IsEdited(line)) {
    SendScintilla(SCI_MARKERADD, line, kEditedLineMarker);
  }
  while (!edited && IsEdited(line)) {
    SendScintilla(SCI_MARKERDELETE, line, kEditedLineMarker);
  }
}

long ScriptEditor::NextEditedLine(long from) const {
  return SendScintilla(SCI_MARKERNEXT, static_cast<unsigned long>(from),
                       static_cast<long>(kEditedLineMask));
}

void ScriptEditor::TrimEditedLines() { TrimEditedLinesExcept(-1); }

void ScriptEditor::TrimEditedLinesExcept(long keptLine) {
  struct Blanks {
    long from;
    long to;
  };
  const auto blankBefore = [this](long position) {
    return IsBlank(QLatin1Char(static_cast<char>(SendScintilla(SCI_GETCHARAT, position - 1))));
  };
  std::vector<long> edited;
  std::vector<Blanks> trailing;
  for (long line = NextEditedLine(0); line >= 0; line = NextEditedLine(line + 1)) {
    if (line == keptLine) continue;
    edited.push_back(line);
    const long start = SendScintilla(SCI_POSITIONFROMLINE, line);
    const long end = SendScintilla(SCI_GETLINEENDPOSITION, line);
    long from = end;
    while (from > start && blankBefore(from)) --from;
    if (from < end) trailing.push_back({from, end});
  }
  if (!trailing.empty()) {
    beginUndoAction();
    // From the last line up, so that the positions still to come stay valid.
    for (auto blanks = trailing.rbegin(); blanks != trailing.rend(); ++blanks) {
      SendScintilla(SCI_DELETERANGE, static_cast<unsigned long>(blanks->from),
                    blanks->to - blanks->from);
    }
    endUndoAction();
  }
  for (long line : edited) SetEdited(line, false);
}

// The caret has left a line: the edited lines it is not in lose their
// trailing blanks, the caret's own keeps them while the user types on. This
// runs after the event that moved the caret, since Scintilla may be in the
// middle of a change or a repaint when it reports the move.
void ScriptEditor::TrimLinesLeftLater() {
  if (trimPending_) return;
  trimPending_ = true;
  QTimer::singleShot(0, this, [this] {
    trimPending_ = false;
    TrimEditedLinesExcept(SendScintilla(SCI_LINEFROMPOSITION, SendScintilla(SCI_GETCURRENTPOS)));
  });
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
