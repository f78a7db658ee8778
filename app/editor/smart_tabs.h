// Where smart tabs stop: at the starts of the words of the lines above the
// caret. Tab moves right to the next such start, Backspace in a line's
// leading blanks back to the previous one.
#pragma once

#include <QChar>
#include <QStringView>

namespace kova {

// Blanks separate words: the space and the tab.
bool IsBlank(QChar c);

// Where the first word of `line` right of `index` starts; a word that `index`
// lies in does not count. -1 when no word starts there.
int NextWordStart(QStringView line, int index);

// Where the last word of `line` that starts left of `index` starts; -1 when
// none does.
int PreviousWordStart(QStringView line, int index);

}  // namespace kova
