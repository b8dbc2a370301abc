#include "common/numberlocale.h"

QLocale displayLocale()
{
    return QLocale();
}

QChar displayDecimalSeparator()
{
    // Some locales spell the separator with more than one code unit; the first is the one a key can type.
    const QString point = displayLocale().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.front();
}
