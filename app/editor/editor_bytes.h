// The editor's text as the script's 8-bit bytes. The editor runs in 8-bit
// mode, where every byte is one character (ISO-8859-1); going through the
// byte-length messages keeps NUL bytes, which the string messages stop at.
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class QsciScintilla;
class QsciScintillaBase;

namespace kova {

// The first position the editor cannot reach. Scintilla is built here with
// 64-bit positions, but a document keeps the starts of its lines as 32-bit
// numbers: beyond this a line's start wraps to a negative position and
// writes out of bounds.
constexpr std::uint64_t kEditorPositionLimit = std::uint64_t{1} << 31;

// What the editor takes of memory for each byte of text, measured through
// the open command: while a text of short lines is loaded, about 5.2 bytes
// (the bytes read, Scintilla's text and style buffers, its line index);
// once it is shown, 2.3 to 2.7. A text of one long line, as a sparse file
// of NUL bytes is, takes 8 once its line is shown: Scintilla lays the line out
// with a character, a style and a position of four bytes for each byte.
constexpr long long kEditorBytesPerTextByte = 8;

// Why the editor cannot hold a text of `bytes` bytes: it reaches the
// position limit, or it would need more than the memory a run may spend
// now (half of what the process can have, see MemoryBudget). Nothing when
// it can; the reason is a German sentence with its full stop.
std::optional<QString> EditorRefusal(std::uint64_t bytes);

// Replaces the editor's text by `bytes` as a fresh document: no undo history,
// no line markers, not modified, caret at the start. Throws std::bad_alloc when the editor
// could not take the text; the editor is then empty and takes edits again.
void LoadEditorBytes(QsciScintilla& editor, std::string_view bytes);

// Every byte of the editor's text, line breaks as they stand in the editor.
std::string EditorBytes(const QsciScintillaBase& editor);

// Whether the editor's text can hold every character of text, that is
// whether each is one of ISO-8859-1.
bool IsLatin1Text(QStringView text);

}  // namespace kova
