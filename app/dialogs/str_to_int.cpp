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
  // Decimal digits must give a value in the signed range; hexadecimal digits
  // are the number's 32 bits, so "$FFFFFFFF" is -1 and leading zeros are free.
  const std::uint64_t limit = base == 16 ? 0xFFFFFFFFULL : negative ? 2147483648ULL : 2147483647ULL;
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) return std::nullopt;
    value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    if (value > limit) return std::nullopt;
  }
  // The sign applies to those bits, wrapping as 32-bit arithmetic does.
  const auto bits = static_cast<std::uint32_t>(value);
  return static_cast<std::int32_t>(negative ? 0U - bits : bits);
}

std::int32_t StrToInt(const QString& text) {
  if (const std::optional<std::int32_t> value = TryStrToInt(text)) return *value;
  throw std::runtime_error(
      QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text).toStdString());
}

}  // namespace kova
