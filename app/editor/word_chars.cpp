#include "app/editor/word_chars.h"

namespace kova {

bool IsWordChar(QChar c, bool bashHighlighting) {
  const char16_t code = c.unicode();
  if (bashHighlighting) return code >= 33 && code <= 255;
  return (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z') ||
         (code >= '0' && code <= '9') || code == '_' ||
         (code >= 192 && code <= 255 && code != 215 && code != 247);
}

QString WordAt(QStringView line, qsizetype column, bool bashHighlighting) {
  if (column < 0 || column >= line.size() ||
      !IsWordChar(line[column], bashHighlighting))
    return QString();
  qsizetype start = column;
  while (start > 0 && IsWordChar(line[start - 1], bashHighlighting)) --start;
  qsizetype end = column + 1;
  while (end < line.size() && IsWordChar(line[end], bashHighlighting)) ++end;
  return line.sliced(start, end - start).toString();
}

}  // namespace kova
