#include "app/editor/editor_bytes.h"

#include <Qsci/qscidocument.h>
#include <Qsci/qscilexer.h>
#include <Qsci/qsciscintilla.h>

#include <algorithm>
#include <new>

#include "translate/memory_budget.h"

namespace kova {

namespace {

// A failed insertion leaves Scintilla's document refusing every later
// change, so the editor takes a fresh, empty one. The settings that
// Scintilla keeps with the document go over to it.
void RenewDocument(QsciScintilla& editor) {
  const int tabWidth = editor.tabWidth();
  const int indentationWidth = editor.indentationWidth();
  const bool useTabs = editor.indentationsUseTabs();
  const bool tabIndents = editor.tabIndents();
  const bool backspaceUnindents = editor.backspaceUnindents();
  const bool utf8 = editor.isUtf8();
  QsciLexer* const highlighter = editor.lexer();
  editor.setDocument(QsciDocument());
  editor.setUtf8(utf8);
  editor.setTabWidth(tabWidth);
  editor.setIndentationWidth(indentationWidth);
  editor.setIndentationsUseTabs(useTabs);
  editor.setTabIndents(tabIndents);
  editor.setBackspaceUnindents(backspaceUnindents);
  if (highlighter != nullptr) editor.setLexer(highlighter);
}

}  // namespace

std::optional<QString> EditorRefusal(std::uint64_t bytes) {
  if (bytes >= kEditorPositionLimit) {
    return QStringLiteral("Die Datei hat %1 Bytes; der Editor kann höchstens %2 Bytes aufnehmen.")
        .arg(bytes)
        .arg(kEditorPositionLimit - 1);
  }
  const MemoryBudget budget;
  const long long needed = static_cast<long long>(bytes) * kEditorBytesPerTextByte;
  if (needed <= MemoryBudget::Left()) return std::nullopt;
  return QStringLiteral("Für ihre %1 MB braucht der Editor etwa %2 MB Arbeitsspeicher, mehr als die "
                        "Hälfte der %3 MB, die noch frei sind.")
      .arg(MegabytesRoundedUp(static_cast<long long>(bytes)))
      .arg(MegabytesRoundedUp(needed))
      .arg(2 * MemoryBudget::Left() / kMegabyte);
}

void LoadEditorBytes(QsciScintilla& editor, std::string_view bytes) {
  // A large file would otherwise be kept a second time as an undo record, and
  // wrapping the whole text at once takes long enough to freeze the window:
  // wrapping switched on again afterwards proceeds piece by piece.
  const long wrapMode = editor.SendScintilla(QsciScintillaBase::SCI_GETWRAPMODE);
  editor.SendScintilla(QsciScintillaBase::SCI_SETWRAPMODE, 0UL);
  editor.SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 0UL);
  editor.SendScintilla(QsciScintillaBase::SCI_CLEARALL);
  editor.SendScintilla(QsciScintillaBase::SCI_SETSTATUS, 0UL);
  // Qt's Scintilla lets the exception of a failed allocation through rather
  // than setting its status.
  bool failed = false;
  try {
    editor.SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, static_cast<uintptr_t>(bytes.size()),
                         bytes.data());
  } catch (const std::bad_alloc&) {
    failed = true;
  }
  failed = failed || editor.SendScintilla(QsciScintillaBase::SCI_GETSTATUS) != 0;
  if (failed) {
    RenewDocument(editor);
    editor.SendScintilla(QsciScintillaBase::SCI_CLEARALL);
    editor.SendScintilla(QsciScintillaBase::SCI_SETSTATUS, 0UL);
  }
  editor.SendScintilla(QsciScintillaBase::SCI_SETWRAPMODE, static_cast<unsigned long>(wrapMode));
  editor.SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 1UL);
  editor.SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
  editor.SendScintilla(QsciScintillaBase::SCI_SETSAVEPOINT);
  // The lines are as read: no mark of an earlier edit stays on them.
  editor.SendScintilla(QsciScintillaBase::SCI_MARKERDELETEALL, -1);
  // The caret goes to the start without scrolling to it: scrolling lays out
  // the caret's line, which takes seconds for a line of millions of bytes.
  editor.SendScintilla(QsciScintillaBase::SCI_SETEMPTYSELECTION, 0UL);
  editor.SendScintilla(QsciScintillaBase::SCI_SETFIRSTVISIBLELINE, 0UL);
  editor.SendScintilla(QsciScintillaBase::SCI_SETXOFFSET, 0UL);
  if (failed) throw std::bad_alloc();
}

std::string EditorBytes(const QsciScintillaBase& editor) {
  const long length = editor.SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
  const auto* text =
      static_cast<const char*>(editor.SendScintillaPtrResult(QsciScintillaBase::SCI_GETCHARACTERPOINTER));
  return std::string(text, static_cast<size_t>(length));
}

bool IsLatin1Text(QStringView text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 256; });
}

}  // namespace kova
