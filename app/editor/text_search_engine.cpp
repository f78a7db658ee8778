#include "app/editor/text_search_engine.h"

#include <algorithm>

#include "app/editor/editor_bytes.h"

namespace kova {

namespace {

// Written before the user's expression, the engine's start-of-pattern setting
// lowers its match limit for this expression.
const QString kMatchLimitSetting =
    QStringLiteral("(*LIMIT_MATCH=%1)").arg(RegexTextSearch::kMatchLimit);

}  // namespace

ExpressionTooComplex::ExpressionTooComplex()
    : std::runtime_error(
          "Der reguläre Ausdruck ist für diesen Text zu aufwendig; die Suche "
          "wurde abgebrochen.") {}

void PlainTextSearch::Prepare(const QString& pattern, bool matchCase) {
  // A text with a character the editor cannot hold finds nothing, also where
  // ignoring case would take it for one it can (the Kelvin sign for a "k").
  pattern_ = IsLatin1Text(pattern) ? pattern : QString();
  caseSensitivity_ = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

std::optional<TextMatch> PlainTextSearch::MatchFrom(QStringView line,
                                                    qsizetype from) const {
  if (pattern_.isEmpty()) return std::nullopt;
  const qsizetype found = line.indexOf(pattern_, from, caseSensitivity_);
  if (found < 0) return std::nullopt;
  return TextMatch{found, pattern_.size(), {}};
}

QString PlainTextSearch::Replacement(const TextMatch&,
                                     const QString& replaceText) const {
  return replaceText;
}

void RegexTextSearch::Prepare(const QString& pattern, bool matchCase) {
  empty_ = pattern.isEmpty();
  expression_.setPattern(kMatchLimitSetting + pattern);
  expression_.setPatternOptions(
      matchCase ? QRegularExpression::NoPatternOption
                : QRegularExpression::CaseInsensitiveOption);
  if (!expression_.isValid())
    throw std::runtime_error(
        QStringLiteral("TRegExpr(comp): %1 (pos %2)")
            .arg(expression_.errorString())
            .arg(std::max<qsizetype>(
                0, expression_.patternErrorOffset() - kMatchLimitSetting.size()))
            .toStdString());
}

std::optional<TextMatch> RegexTextSearch::MatchFrom(QStringView line,
                                                    qsizetype from) const {
  if (empty_ || from < 0 || from > line.size()) return std::nullopt;
  // 8-bit characters are valid UTF-16; checking that again would cost the
  // rest of the line on every call.
  const QRegularExpressionMatch match =
      expression_.match(line, from, QRegularExpression::NormalMatch,
                        QRegularExpression::DontCheckSubjectStringMatchOption);
  // The engine's limits end a match as invalid, not as "no match".
  if (!match.isValid()) throw ExpressionTooComplex();
  if (!match.hasMatch()) return std::nullopt;
  return TextMatch{match.capturedStart(), match.capturedLength(),
                   match.capturedTexts()};
}

namespace {

// The group that a "$" at position dollar of text refers to, and where the
// reference ends; nullopt when the "$" starts no reference.
std::optional<std::pair<int, qsizetype>> GroupReference(const QString& text,
                                                        qsizetype dollar) {
  const qsizetype next = dollar + 1;
  if (next >= text.size()) return std::nullopt;
  if (text[next] == '&') return std::pair{0, next + 1};
  if (text[next].isDigit() && text[next].unicode() < 128)
    return std::pair{text[next].unicode() - '0', next + 1};
  if (text[next] != '{') return std::nullopt;
  const qsizetype close = text.indexOf('}', next + 1);
  if (close < 0) return std::nullopt;
  bool isNumber = false;
  const int group = text.mid(next + 1, close - next - 1).toInt(&isNumber);
  if (!isNumber || group < 0) return std::nullopt;
  return std::pair{group, close + 1};
}

}  // namespace

QString RegexTextSearch::Replacement(const TextMatch& match,
                                     const QString& replaceText) const {
  QString result;
  qsizetype i = 0;
  while (i < replaceText.size()) {
    const QChar c = replaceText[i];
    if (c == '\\' && i + 1 < replaceText.size()) {
      result += replaceText[i + 1];
      i += 2;
      continue;
    }
    if (c == '$') {
      if (const auto reference = GroupReference(replaceText, i)) {
        if (reference->first < match.captures.size())
          result += match.captures[reference->first];
        i = reference->second;
        continue;
      }
    }
    result += c;
    ++i;
  }
  return result;
}

}  // namespace kova
