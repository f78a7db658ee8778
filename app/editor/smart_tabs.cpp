#include "app/editor/smart_tabs.h"

#include <algorithm>

namespace kova {

bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }

int NextWordStart(QStringView line, int index) {
  const int length = static_cast<int>(line.size());
  int column = index;
  while (column < length && !IsBlank(line[column])) ++column;
  while (column < length && IsBlank(line[column])) ++column;
  return column < length ? column : -1;
}

int PreviousWordStart(QStringView line, int index) {
  for (int column = std::min(index, static_cast<int>(line.size())) - 1; column >= 0; --column) {
    if (!IsBlank(line[column]) && (column == 0 || IsBlank(line[column - 1]))) return column;
  }
  return -1;
}

}  // namespace kova
