// The two search engines of the editor: plain text and regular expressions.
// They are objects that the main window owns as it owns its other parts.
// An engine finds matches inside one line; the editor search (editor_search.h)
// decides where to look and what to do with a match.
#pragma once

#include <QObject>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <stdexcept>

namespace kova {

struct TextMatch {
  qsizetype start = 0;
  qsizetype length = 0;
  QStringList captures;  // group 0 first; empty for the plain engine
};

class TextSearchEngine : public QObject {
 public:
  using QObject::QObject;

  // Takes the text to look for. REQUIRES: called before MatchFrom.
  virtual void Prepare(const QString& pattern, bool matchCase) = 0;

  // The first match that starts at or after from in line, if any; its cost
  // grows with the distance searched, not with the length of line.
  // REQUIRES: line holds 8-bit characters (codes 0 to 255), as the editor's
  // text does.
  virtual std::optional<TextMatch> MatchFrom(QStringView line,
                                             qsizetype from) const = 0;

  // The text that replaces match.
  virtual QString Replacement(const TextMatch& match,
                              const QString& replaceText) const = 0;
};

class PlainTextSearch : public TextSearchEngine {
 public:
  using TextSearchEngine::TextSearchEngine;
  void Prepare(const QString& pattern, bool matchCase) override;
  std::optional<TextMatch> MatchFrom(QStringView line,
                                     qsizetype from) const override;
  QString Replacement(const TextMatch& match,
                      const QString& replaceText) const override;

 private:
  QString pattern_;
  Qt::CaseSensitivity caseSensitivity_ = Qt::CaseInsensitive;
};

// Raised when an expression would backtrack longer at one place of a line
// than RegexTextSearch allows, as nested repeats like "^(a+)+$" do on a line
// they do not match; the search ends instead of running for minutes.
class ExpressionTooComplex : public std::runtime_error {
 public:
  ExpressionTooComplex();
};

// Perl-style expressions. The replacement text may refer to the match with
// $0 or $& and to its groups with $1 ... $9 or ${n}; a backslash takes the
// next character literally.
class RegexTextSearch : public TextSearchEngine {
 public:
  using TextSearchEngine::TextSearchEngine;
  // Throws std::runtime_error "TRegExpr(comp): <description> (pos <n>)" for
  // an expression that does not compile.
  void Prepare(const QString& pattern, bool matchCase) override;
  // Throws ExpressionTooComplex when the expression exceeds the engine's
  // limits: kMatchLimit steps from one place, or its backtracking memory.
  std::optional<TextMatch> MatchFrom(QStringView line,
                                     qsizetype from) const override;
  QString Replacement(const TextMatch& match,
                      const QString& replaceText) const override;

  // The steps the expression may take from one place of a line, about two
  // milliseconds' work. A lazy ".*?" takes one per character it spans, so a
  // match may still span a megabyte; "^(a+)+$" takes 2^(n+1) on n a's
  // followed by a "b".
  static constexpr int kMatchLimit = 1'000'000;

 private:
  QRegularExpression expression_;
  bool empty_ = true;  // nothing to look for
};

}  // namespace kova
