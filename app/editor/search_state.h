// The search state that the search and replace dialogs edit and that
// "KOVA.ini" carries from one run of the program to the next. Texts are kept
// as the user typed them, also with characters the editor's 8-bit text cannot
// hold: such a text finds nothing, where "?" in its place would find every
// "?". A history holds at most ten entries joined by CR LF, newest first,
// with no break after the last entry.
#pragma once

#include <QString>

extern bool gbSearchBackwards;
extern bool gbSearchCaseSensitive;
extern bool gbSearchFromCaret;
extern bool gbSearchSelectionOnly;
extern bool gbSearchTextAtCaret;
extern bool gbSearchWholeWords;
extern bool gbSearchRegex;
extern QString gsSearchText;
extern QString gsSearchTextHistory;
extern QString gsReplaceText;
extern QString gsReplaceTextHistory;
