#pragma once

#include <QLocale>
#include <QString>

// The general format of the calculator's display: six significant digits, fixed notation for decimal
// exponents from -3 to 6 (the value written as 0.ddd x 10^E), otherwise "d,dddddE-x" with no "+" and no
// leading zeros in the exponent.
QString formatGeneral6(float value, QChar decimalSeparator);

// A number with the locale's thousands groups and exactly `decimals` decimals, halves rounded away from
// zero: "12 345,68" under Russian conventions, "12,345.68" under C; no separator when `decimals` is 0.
QString formatAmount(long double value, int decimals, const QLocale& locale);
