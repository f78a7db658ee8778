// What counts as a word character in the editor's 8-bit text, for the word
// at the caret and for whole-word matching.
#pragma once

#include <QString>
#include <QStringView>

namespace kova {

// While the bash highlighter is attached every printable character (codes 33
// to 255) belongs to a word, so that "$HOME/bin" is one word; without it only
// letters, digits, the underscore and the accented letters do.
bool IsWordChar(QChar c, bool bashHighlighting);

// The longest run of word characters that contains the character at column;
// empty when that character is no word character or column is past the end.
QString WordAt(QStringView line, qsizetype column, bool bashHighlighting);

}  // namespace kova
