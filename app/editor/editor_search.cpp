#include "app/editor/editor_search.h"

#include <Qsci/qsciscintilla.h>

#include <QByteArray>
#include <QStringView>
#include <algorithm>
#include <optional>
#include <string_view>

#include "app/editor/editor_bytes.h"
#include "app/editor/text_search_engine.h"
#include "app/editor/word_chars.h"

namespace kova {

namespace {

using Sci = QsciScintillaBase;

// The part of the document a search covers.
struct Scope {
  qsizetype start;
  qsizetype end;
};

// One line of the text: where it starts in the document and its characters
// without the line break.
struct TextLine {
  qsizetype start;
  QString text;
};

// A match in document positions.
struct FoundMatch {
  qsizetype start;
  qsizetype end;
  TextMatch match;
};

// The document's bytes from start to end. Only that range is made contiguous,
// so a search pays for the text it looks at, not for the whole document.
std::string_view DocumentBytes(QsciScintilla& editor, qsizetype start,
                               qsizetype end) {
  const auto* bytes = reinterpret_cast<const char*>(editor.SendScintilla(
      Sci::SCI_GETRANGEPOINTER, static_cast<unsigned long>(start),
      static_cast<long>(end - start)));
  return {bytes, static_cast<size_t>(end - start)};
}

// The bytes as characters of the same index: the editor holds 8-bit text, so
// a character's index is its position in the document.
QString DocumentText(QsciScintilla& editor, qsizetype start, qsizetype end) {
  const std::string_view bytes = DocumentBytes(editor, start, end);
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

long LineOf(QsciScintilla& editor, qsizetype position) {
  return editor.SendScintilla(Sci::SCI_LINEFROMPOSITION,
                              static_cast<unsigned long>(position));
}

TextLine LineText(QsciScintilla& editor, long line) {
  const auto number = static_cast<unsigned long>(line);
  const long start = editor.SendScintilla(Sci::SCI_POSITIONFROMLINE, number);
  const long end = editor.SendScintilla(Sci::SCI_GETLINEENDPOSITION, number);
  return {start, DocumentText(editor, start, end)};
}

bool IsWholeWord(const QString& line, qsizetype start, qsizetype end) {
  const bool wordBefore = start > 0 && IsWordChar(line[start - 1], false);
  const bool wordAfter = end < line.size() && IsWordChar(line[end], false);
  return !wordBefore && !wordAfter;
}

// The first position after position where a whole word may start. Skipping
// the rest of a word at once keeps a long run of letters from being searched
// again from each of them.
qsizetype NextWordStart(const QString& line, qsizetype position) {
  ++position;
  while (position < line.size() && IsWordChar(line[position - 1], false))
    ++position;
  return position;
}

// Hands each match of line that lies within scope to visit, in order, until
// visit returns false; returns false when visit did. The line is searched
// once from its start within scope; the engine sees all of it, so that the
// edges of scope are no line ends to it. Empty matches count only for
// replacing, where they insert text (as "^" does); a search must select
// something.
template <typename Visit>
bool VisitLineMatches(const TextSearchEngine& engine, const TextLine& line,
                      Scope scope, const SearchOptions& options,
                      const Visit& visit) {
  const qsizetype from = std::max<qsizetype>(0, scope.start - line.start);
  const qsizetype to = std::min(line.text.size(), scope.end - line.start);
  if (from > to) return true;
  qsizetype position = from;
  while (position <= to) {
    const std::optional<TextMatch> match = engine.MatchFrom(line.text, position);
    if (!match) break;
    const qsizetype end = match->start + match->length;
    // The matches after it start past the end of scope too.
    if (end > to) break;
    const bool empty = match->length == 0;
    position = empty ? match->start + 1 : end;
    if (empty && !options.replaceAll) continue;
    if (options.wholeWord && !IsWholeWord(line.text, match->start, end)) {
      position = NextWordStart(line.text, match->start);
      continue;
    }
    if (!visit(FoundMatch{line.start + match->start, line.start + end, *match}))
      return false;
  }
  return true;
}

// Hands each match within scope to visit, line by line from the start of
// scope, until visit returns false.
template <typename Visit>
void VisitMatches(QsciScintilla& editor, const TextSearchEngine& engine,
                  Scope scope, const SearchOptions& options, const Visit& visit) {
  const long last = LineOf(editor, scope.end);
  for (long line = LineOf(editor, scope.start); line <= last; ++line)
    if (!VisitLineMatches(engine, LineText(editor, line), scope, options, visit))
      return;
}

void SelectMatch(QsciScintilla& editor, const FoundMatch& found,
                 bool backwards) {
  const qsizetype anchor = backwards ? found.end : found.start;
  const qsizetype caret = backwards ? found.start : found.end;
  editor.SendScintilla(Sci::SCI_SETSEL, static_cast<unsigned long>(anchor),
                       static_cast<long>(caret));
}

int FindForwards(QsciScintilla& editor, const TextSearchEngine& engine,
                 Scope scope, const SearchOptions& options) {
  std::optional<FoundMatch> first;
  VisitMatches(editor, engine, scope, options, [&first](const FoundMatch& found) {
    first = found;
    return false;
  });
  if (!first) return 0;
  SelectMatch(editor, *first, false);
  return 1;
}

// The last match before the end of scope: each line from there back to the
// start of scope is searched forwards once, keeping its last match.
int FindBackwards(QsciScintilla& editor, const TextSearchEngine& engine,
                  Scope scope, const SearchOptions& options) {
  const long first = LineOf(editor, scope.start);
  for (long line = LineOf(editor, scope.end); line >= first; --line) {
    std::optional<FoundMatch> last;
    VisitLineMatches(engine, LineText(editor, line), scope, options,
                     [&last](const FoundMatch& found) {
                       last = found;
                       return true;
                     });
    if (!last) continue;
    SelectMatch(editor, *last, true);
    return 1;
  }
  return 0;
}

// Builds the text from the first match to the last with every match replaced
// in one walk, and puts it into the editor in one step; the caret goes to the
// end of the last replacement.
int ReplaceAll(QsciScintilla& editor, const TextSearchEngine& engine,
               Scope scope, const SearchOptions& options,
               const QString& replaceText) {
  int count = 0;
  qsizetype first = 0;
  qsizetype copied = 0;
  QByteArray replaced;
  VisitMatches(editor, engine, scope, options, [&](const FoundMatch& found) {
    if (count++ == 0) first = copied = found.start;
    const std::string_view kept = DocumentBytes(editor, copied, found.start);
    replaced.append(kept.data(), static_cast<qsizetype>(kept.size()));
    replaced += engine.Replacement(found.match, replaceText).toLatin1();
    copied = found.end;
    return true;
  });
  if (count == 0) return 0;
  editor.SendScintilla(Sci::SCI_BEGINUNDOACTION);
  editor.SendScintilla(Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(first),
                       static_cast<long>(copied));
  editor.SendScintilla(Sci::SCI_REPLACETARGET,
                       static_cast<unsigned long>(replaced.size()), replaced.constData());
  editor.SendScintilla(Sci::SCI_ENDUNDOACTION);
  editor.SendScintilla(Sci::SCI_GOTOPOS,
                       static_cast<unsigned long>(first + replaced.size()));
  return count;
}

}  // namespace

ReplacementNotRepresentable::ReplacementNotRepresentable()
    : std::runtime_error(
          "Der Ersetzungstext enthält Zeichen, die der Editor nicht darstellen "
          "kann (nur ISO-8859-1); es wurde nichts ersetzt.") {}

int SearchReplace(QsciScintilla& editor, TextSearchEngine& engine,
                  const QString& searchText, const QString& replaceText,
                  const SearchOptions& options) {
  if (searchText.isEmpty()) return 0;
  if (options.replaceAll && !IsLatin1Text(replaceText))
    throw ReplacementNotRepresentable();
  engine.Prepare(searchText, options.matchCase);
  const qsizetype selStart = editor.SendScintilla(Sci::SCI_GETSELECTIONSTART);
  const qsizetype selEnd = editor.SendScintilla(Sci::SCI_GETSELECTIONEND);
  Scope scope{0, editor.SendScintilla(Sci::SCI_GETLENGTH)};
  if (options.selectedOnly && selStart != selEnd) {
    scope = {selStart, selEnd};
  } else if (!options.entireScope) {
    (options.backwards ? scope.end : scope.start) =
        options.backwards ? selStart : selEnd;
  }
  if (options.replaceAll)
    return ReplaceAll(editor, engine, scope, options, replaceText);
  if (options.backwards) return FindBackwards(editor, engine, scope, options);
  return FindForwards(editor, engine, scope, options);
}

QString TextAtCaret(QsciScintilla& editor, bool bashHighlighting) {
  const long selStart = editor.SendScintilla(Sci::SCI_GETSELECTIONSTART);
  const long selEnd = editor.SendScintilla(Sci::SCI_GETSELECTIONEND);
  if (selStart != selEnd && LineOf(editor, selStart) == LineOf(editor, selEnd))
    return DocumentText(editor, selStart, selEnd);
  const long caret = editor.SendScintilla(Sci::SCI_GETCURRENTPOS);
  const TextLine line = LineText(editor, LineOf(editor, caret));
  return WordAt(line.text, caret - line.start, bashHighlighting);
}

void CollapseSelection(QsciScintilla& editor, bool backwards) {
  const long selStart = editor.SendScintilla(Sci::SCI_GETSELECTIONSTART);
  const long selEnd = editor.SendScintilla(Sci::SCI_GETSELECTIONEND);
  editor.SendScintilla(Sci::SCI_GOTOPOS,
                       static_cast<unsigned long>(backwards ? selStart : selEnd));
}

}  // namespace kova
