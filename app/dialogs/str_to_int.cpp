#include "app/dialogs/str_to_int.h"

#include <stdexcept>

namespace kova {

namespace {

int DigitValue(QChar c, int base) {
  const char16_t code = c.toLower().unicode();
  int value = base;
  if (code >= '0' && code <= '9') value = code - '0';
  else if (code >= 'a' && code <= 'f') value = code - 'a' + 10;
  return value < base ? value : -1;
}

}  // namespace

std::optional<std::int32_t> TryStrToInt(QStringView text) {
  qsizetype i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+'))
    negative = text[i++] == '-';
  int base = 10;
  if (text.sliced(i).startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
    base = 16;
    i += 2;
  } else if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  }
  if (i >= text.size()) return std::nullopt;
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) return std::nullopt;
    value = value * base + digit;
    if (value > limit) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

std::int32_t StrToInt(const QString& text) {
  if (const std::optional<std::int32_t> value = TryStrToInt(text)) return *value;
  throw std::runtime_error(
      QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text).toStdString());
}

}  // namespace kova
