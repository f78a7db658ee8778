// The two search engines of the editor: plain text and regular expressions.
// They are objects that the main window owns as it owns its other parts.
// An engine finds matches inside one line; the editor search (editor_search.h)
// decides where to look and what to do with a match.
#pragma once

#include <QObject>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <optional>

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

  // The first match that starts at or after from in line, if any.
  virtual std::optional<TextMatch> MatchFrom(const QString& line,
                                             qsizetype from) const = 0;

  // The text that replaces match.
  virtual QString Replacement(const TextMatch& match,
                              const QString& replaceText) const = 0;
};

class PlainTextSearch : public TextSearchEngine {
 public:
  using TextSearchEngine::TextSearchEngine;
  void Prepare(const QString& pattern, bool matchCase) override;
  std::optional<TextMatch> MatchFrom(const QString& line,
                                     qsizetype from) const override;
  QString Replacement(const TextMatch& match,
                      const QString& replaceText) const override;

 private:
  QString pattern_;
  Qt::CaseSensitivity caseSensitivity_ = Qt::CaseInsensitive;
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
  std::optional<TextMatch> MatchFrom(const QString& line,
                                     qsizetype from) const override;
  QString Replacement(const TextMatch& match,
                      const QString& replaceText) const override;

 private:
  QRegularExpression expression_;
};

}  // namespace kova
