// The editor's text as the script's 8-bit bytes. The editor runs in 8-bit
// mode, where every byte is one character (ISO-8859-1); going through the
// byte-length messages keeps NUL bytes, which the string messages stop at.
#pragma once

#include <QStringView>

#include <string>
#include <string_view>

class QsciScintillaBase;

namespace kova {

// Replaces the editor's text by `bytes` as a fresh document: no undo history,
// no line markers, not modified, caret at the start. Throws std::bad_alloc when the editor
// could not take the text; the editor is then empty.
void LoadEditorBytes(QsciScintillaBase& editor, std::string_view bytes);

// Every byte of the editor's text, line breaks as they stand in the editor.
std::string EditorBytes(const QsciScintillaBase& editor);

// Whether the editor's text can hold every character of text, that is
// whether each is one of ISO-8859-1.
bool IsLatin1Text(QStringView text);

}  // namespace kova
