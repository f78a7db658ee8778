#include "app/editor/editor_bytes.h"

#include <Qsci/qsciscintillabase.h>

#include <algorithm>
#include <new>

namespace kova {

void LoadEditorBytes(QsciScintillaBase& editor, std::string_view bytes) {
  // A large file would otherwise be kept a second time as an undo record, and
  // wrapping the whole text at once takes long enough to freeze the window:
  // wrapping switched on again afterwards proceeds piece by piece.
  const long wrapMode = editor.SendScintilla(QsciScintillaBase::SCI_GETWRAPMODE);
  editor.SendScintilla(QsciScintillaBase::SCI_SETWRAPMODE, 0UL);
  editor.SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 0UL);
  editor.SendScintilla(QsciScintillaBase::SCI_CLEARALL);
  editor.SendScintilla(QsciScintillaBase::SCI_SETSTATUS, 0UL);
  editor.SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, static_cast<uintptr_t>(bytes.size()),
                       bytes.data());
  const long status = editor.SendScintilla(QsciScintillaBase::SCI_GETSTATUS);
  if (status != 0) {
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
  if (status != 0) throw std::bad_alloc();
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
