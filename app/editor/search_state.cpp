// Until the settings file has been read every flag is off and every text is
// empty; the settings file supplies the defaults (gbSearchTextAtCaret: true).
#include "app/editor/search_state.h"

bool gbSearchBackwards = false;
bool gbSearchCaseSensitive = false;
bool gbSearchFromCaret = false;
bool gbSearchSelectionOnly = false;
bool gbSearchTextAtCaret = false;
bool gbSearchWholeWords = false;
bool gbSearchRegex = false;
QString gsSearchText;
QString gsSearchTextHistory;
QString gsReplaceText;
QString gsReplaceTextHistory;
