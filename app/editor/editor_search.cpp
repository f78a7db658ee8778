#include "app/editor/editor_search.h"

#include <Qsci/qsciscintilla.h>

#include <QByteArray>
#include <algorithm>
#include <vector>

#include "app/editor/text_search_engine.h"
#include "app/editor/word_chars.h"

namespace kova {

namespace {

using Sci = QsciScintillaBase;

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

// The document's bytes as characters of the same index: the editor holds
// 8-bit text, so a character's index is its position in the document.
QString DocumentText(QsciScintilla& editor) {
  const long length = editor.SendScintilla(Sci::SCI_GETLENGTH);
  const auto* bytes = reinterpret_cast<const char*>(
      editor.SendScintilla(Sci::SCI_GETCHARACTERPOINTER));
  return QString::fromLatin1(bytes, length);
}

std::vector<TextLine> SplitLines(const QString& text) {
  std::vector<TextLine> lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back({start, text.mid(start, i - start)});
    if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  return lines;
}

bool IsWholeWord(const QString& line, qsizetype start, qsizetype end) {
  const bool wordBefore = start > 0 && IsWordChar(line[start - 1], false);
  const bool wordAfter = end < line.size() && IsWordChar(line[end], false);
  return !wordBefore && !wordAfter;
}

// Every match of line that lies within [scopeStart, scopeEnd) of the
// document, in order. Empty matches count only for replacing, where they
// insert text (as "^" does); a search must select something.
std::vector<FoundMatch> LineMatches(const TextSearchEngine& engine,
                                    const TextLine& line, qsizetype scopeStart,
                                    qsizetype scopeEnd,
                                    const SearchOptions& options) {
  std::vector<FoundMatch> found;
  const qsizetype from = std::max<qsizetype>(0, scopeStart - line.start);
  const qsizetype to = std::min(line.text.size(), scopeEnd - line.start);
  if (from > to) return found;
  const QString subject = line.text.left(to);
  qsizetype position = from;
  while (position <= subject.size()) {
    const std::optional<TextMatch> match = engine.MatchFrom(subject, position);
    if (!match) break;
    const qsizetype end = match->start + match->length;
    const bool empty = match->length == 0;
    position = empty ? match->start + 1 : end;
    if (empty && !options.replaceAll) continue;
    if (options.wholeWord && !IsWholeWord(line.text, match->start, end)) {
      position = match->start + 1;
      continue;
    }
    found.push_back({line.start + match->start, line.start + end, *match});
  }
  return found;
}

void SelectMatch(QsciScintilla& editor, const FoundMatch& found,
                 bool backwards) {
  const qsizetype anchor = backwards ? found.end : found.start;
  const qsizetype caret = backwards ? found.start : found.end;
  editor.SendScintilla(Sci::SCI_SETSEL, static_cast<unsigned long>(anchor),
                       static_cast<long>(caret));
}

int ReplaceAll(QsciScintilla& editor, const TextSearchEngine& engine,
               const QString& text, const std::vector<FoundMatch>& matches,
               qsizetype scopeStart, qsizetype scopeEnd,
               const QString& replaceText) {
  if (matches.empty()) return 0;
  QString replaced;
  qsizetype copied = scopeStart;
  for (const FoundMatch& found : matches) {
    replaced += QStringView(text).sliced(copied, found.start - copied);
    replaced += engine.Replacement(found.match, replaceText);
    copied = found.end;
  }
  const qsizetype caret = scopeStart + replaced.size();
  replaced += QStringView(text).sliced(copied, scopeEnd - copied);
  const QByteArray bytes = replaced.toLatin1();
  editor.SendScintilla(Sci::SCI_BEGINUNDOACTION);
  editor.SendScintilla(Sci::SCI_SETTARGETSTART,
                       static_cast<unsigned long>(scopeStart));
  editor.SendScintilla(Sci::SCI_SETTARGETEND,
                       static_cast<unsigned long>(scopeEnd));
  editor.SendScintilla(Sci::SCI_REPLACETARGET,
                       static_cast<unsigned long>(bytes.size()), bytes.constData());
  editor.SendScintilla(Sci::SCI_ENDUNDOACTION);
  editor.SendScintilla(Sci::SCI_GOTOPOS, static_cast<unsigned long>(caret));
  return static_cast<int>(matches.size());
}

}  // namespace

int SearchReplace(QsciScintilla& editor, TextSearchEngine& engine,
                  const QString& searchText, const QString& replaceText,
                  const SearchOptions& options) {
  if (searchText.isEmpty()) return 0;
  engine.Prepare(searchText, options.matchCase);
  const QString text = DocumentText(editor);
  const qsizetype selStart = editor.SendScintilla(Sci::SCI_GETSELECTIONSTART);
  const qsizetype selEnd = editor.SendScintilla(Sci::SCI_GETSELECTIONEND);
  qsizetype scopeStart = 0;
  qsizetype scopeEnd = text.size();
  if (options.selectedOnly && selStart != selEnd) {
    scopeStart = selStart;
    scopeEnd = selEnd;
  } else if (!options.entireScope) {
    (options.backwards ? scopeEnd : scopeStart) =
        options.backwards ? selStart : selEnd;
  }
  const std::vector<TextLine> lines = SplitLines(text);
  if (options.replaceAll) {
    std::vector<FoundMatch> matches;
    for (const TextLine& line : lines) {
      if (line.start > scopeEnd) break;
      const auto lineMatches =
          LineMatches(engine, line, scopeStart, scopeEnd, options);
      matches.insert(matches.end(), lineMatches.begin(), lineMatches.end());
    }
    return ReplaceAll(editor, engine, text, matches, scopeStart, scopeEnd,
                      replaceText);
  }
  if (options.backwards) {
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
      if (line->start + line->text.size() < scopeStart) break;
      const auto lineMatches =
          LineMatches(engine, *line, scopeStart, scopeEnd, options);
      if (lineMatches.empty()) continue;
      SelectMatch(editor, lineMatches.back(), true);
      return 1;
    }
    return 0;
  }
  for (const TextLine& line : lines) {
    if (line.start > scopeEnd) break;
    const auto lineMatches =
        LineMatches(engine, line, scopeStart, scopeEnd, options);
    if (lineMatches.empty()) continue;
    SelectMatch(editor, lineMatches.front(), false);
    return 1;
  }
  return 0;
}

QString TextAtCaret(QsciScintilla& editor, bool bashHighlighting) {
  const QString text = DocumentText(editor);
  const long selStart = editor.SendScintilla(Sci::SCI_GETSELECTIONSTART);
  const long selEnd = editor.SendScintilla(Sci::SCI_GETSELECTIONEND);
  const auto lineOf = [&editor](long position) {
    return editor.SendScintilla(Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(position));
  };
  if (selStart != selEnd && lineOf(selStart) == lineOf(selEnd))
    return text.mid(selStart, selEnd - selStart);
  const long caret = editor.SendScintilla(Sci::SCI_GETCURRENTPOS);
  const unsigned long line = lineOf(caret);
  const long lineStart = editor.SendScintilla(Sci::SCI_POSITIONFROMLINE, line);
  const long lineEnd = editor.SendScintilla(Sci::SCI_GETLINEENDPOSITION, line);
  return WordAt(QStringView(text).sliced(lineStart, lineEnd - lineStart), caret - lineStart,
                bashHighlighting);
}

void CollapseSelection(QsciScintilla& editor, bool backwards) {
  const long selStart = editor.SendScintilla(Sci::SCI_GETSELECTIONSTART);
  const long selEnd = editor.SendScintilla(Sci::SCI_GETSELECTIONEND);
  editor.SendScintilla(Sci::SCI_GOTOPOS,
                       static_cast<unsigned long>(backwards ? selStart : selEnd));
}

}  // namespace kova
