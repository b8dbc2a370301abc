#include "common/numberformats.h"

#include "common/decimaldigits.h"

QString formatGeneral6(float value, QChar decimalSeparator)
{
    const DecimalDigits number = DecimalDigits::exact(value).roundedToSignificant(6);
    if (number.isZero())
        return QStringLiteral("0");
    const QString digits = QString::fromStdString(number.digits);
    const int e = number.exponent;
    QString text = number.negative ? QStringLiteral("-") : QString();
    if (e >= -3 && e <= 6) {
        if (e <= 0) {
            text += QLatin1Char('0');
            text += decimalSeparator;
            text += QString(-e, QLatin1Char('0'));
            text += digits;
        } else {
            text += digits.left(e).leftJustified(e, QLatin1Char('0'));
            if (digits.size() > e)
                text += decimalSeparator + digits.mid(e);
        }
        return text;
    }
    text += digits.left(1);
    if (digits.size() > 1)
        text += decimalSeparator + digits.mid(1);
    text += QLatin1Char('E') + QString::number(e - 1);
    return text;
}

QString formatAmount(long double value, int decimals, const QLocale& locale)
{
    const DecimalDigits number = DecimalDigits::exact(value).roundedToDecimals(decimals);
    const std::string& digits = number.digits;
    const int e = number.exponent;
    auto digitAt = [&](int index) { // index 0 is the first digit after the point's left edge 0.d1
        return index >= 0 && index < int(digits.size()) ? QLatin1Char(digits[std::size_t(index)]) : QLatin1Char('0');
    };
    QString integer;
    for (int i = 0; i < e; ++i)
        integer += digitAt(i);
    if (integer.isEmpty())
        integer = QStringLiteral("0");
    QString grouped;
    const QString group = locale.groupSeparator();
    for (int i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            grouped += group;
        grouped += integer[i];
    }
    QString text = number.negative ? QStringLiteral("-") + grouped : grouped;
    if (decimals > 0) {
        text += locale.decimalPoint();
        for (int i = 0; i < decimals; ++i)
            text += digitAt(e + i);
    }
    return text;
}
