// Search and replace in the editor's text with one of the two engines. The
// text is searched line by line, so a match never spans a line break.
#pragma once

#include <QString>
#include <stdexcept>

class QsciScintilla;

namespace kova {

class TextSearchEngine;

struct SearchOptions {
  bool replaceAll = false;    // replace every match in scope at once
  bool backwards = false;     // find the last match before the caret
  bool matchCase = false;
  bool entireScope = false;   // the whole text instead of from the caret on
  bool selectedOnly = false;  // only inside the selection, when there is one
  bool wholeWord = false;     // a match must neither follow nor precede a
                              // letter, digit or underscore
};

// Raised before anything is replaced when the replacement holds a character
// that the editor's 8-bit text cannot hold: as "?" it would put text into the
// script that the user never typed.
class ReplacementNotRepresentable : public std::runtime_error {
 public:
  ReplacementNotRepresentable();
};

// Finds the first match in scope and selects it (the caret at its end, or at
// its start when searching backwards), or replaces every match in scope as
// one undo step. A search from the caret starts after the selection, or ends
// before it when backwards, so that repeating it moves on to the next match.
// The engine always sees whole lines, so "^", "$", "\b" and lookaround test
// the real text beyond the edges of scope; scope only limits where a match
// lies. Matches follow one another as on the whole line: one that reaches
// past the end of scope is not shortened to fit, and ends the search there.
// Returns the number of matches found (a search stops at one); an empty
// searchText finds nothing, and so does a plain one with a character the
// editor cannot hold (in an expression, such a character matches nothing).
// Throws ReplacementNotRepresentable, and what the engine's Prepare and
// MatchFrom throw; the editor's text and selection are then unchanged. A
// search costs the text it looks through: forwards to the end of the match's
// line, backwards from the start of the match's line to the first match
// after the caret, replacing through the whole scope once.
int SearchReplace(QsciScintilla& editor, TextSearchEngine& engine,
                  const QString& searchText, const QString& replaceText,
                  const SearchOptions& options);

// What a search proposes from the editor: the selected text when the
// selection lies within one line, else the word at the caret (see WordAt).
QString TextAtCaret(QsciScintilla& editor, bool bashHighlighting);

// Leaves nothing selected: the caret goes to the selection's start for a
// backward search and to its end otherwise.
void CollapseSelection(QsciScintilla& editor, bool backwards);

}  // namespace kova
