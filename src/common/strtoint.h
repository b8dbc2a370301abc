#pragma once

#include <QString>
#include <optional>

// The one text-to-integer rule of the program: leading blanks skipped, an optional sign, then decimal digits
// or hexadecimal digits after "$", "x", "X", "0x" or "0X"; the value must fit 32 bits; nothing may follow.
std::optional<qint32> tryStrToInt(const QString& text);

// As tryStrToInt, but throws ConvertError "'<text>' is not a valid integer value".
qint32 StrToInt(const QString& text);

// Decimal text with a leading "0" below 10: 7 gives "07", 42 gives "42".
QString TwoDigits(int value);
