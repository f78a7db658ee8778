// The search state that the search and replace dialogs edit and that
// "KOVA.ini" carries from one run of the program to the next. Texts are 8-bit
// (ISO-8859-1) like the editor's; a history holds at most ten entries joined
// by CR LF, newest first, with no break after the last entry.
#pragma once

#include <string>

extern bool gbSearchBackwards;
extern bool gbSearchCaseSensitive;
extern bool gbSearchFromCaret;
extern bool gbSearchSelectionOnly;
extern bool gbSearchTextAtCaret;
extern bool gbSearchWholeWords;
extern bool gbSearchRegex;
extern std::string gsSearchText;
extern std::string gsSearchTextHistory;
extern std::string gsReplaceText;
extern std::string gsReplaceTextHistory;
