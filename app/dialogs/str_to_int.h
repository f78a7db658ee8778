// Integer conversion of the number fields: optional leading blanks, an
// optional sign, then decimal digits whose value lies within the signed 32-bit
// range, or hexadecimal digits after "$", "x" or "0x" (either case) whose
// value fits in 32 bits and gives the signed number of those bits ("$FFFFFFFF"
// is -1); nothing may follow the digits.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace kova {

std::optional<std::int32_t> TryStrToInt(QStringView text);

// Throws std::runtime_error "'<text>' ist kein gültiger Integerwert" for a
// text that is not a number.
std::int32_t StrToInt(const QString& text);

}  // namespace kova
