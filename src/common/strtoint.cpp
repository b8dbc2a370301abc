#include "common/strtoint.h"

#include "common/errors.h"

std::optional<qint32> tryStrToInt(const QString& text)
{
    int i = 0;
    const int n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < n && text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i < n && (text[i] == QLatin1Char('x') || text[i] == QLatin1Char('X'))) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('0') &&
               (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        return std::nullopt;

    // Hexadecimal text may spell a full 32-bit pattern ("$FFFFFFFF" is -1), decimal must fit the signed range.
    const quint64 limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    quint64 value = 0;
    for (; i < n; ++i) {
        const QChar c = text[i];
        int digit;
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digit = c.unicode() - '0';
        else if (base == 16 && c >= QLatin1Char('a') && c <= QLatin1Char('f'))
            digit = c.unicode() - 'a' + 10;
        else if (base == 16 && c >= QLatin1Char('A') && c <= QLatin1Char('F'))
            digit = c.unicode() - 'A' + 10;
        else
            return std::nullopt;
        value = value * base + digit;
        if (value > limit)
            return std::nullopt;
    }
    const qint64 asSigned =
        base == 16 ? static_cast<qint64>(static_cast<qint32>(static_cast<quint32>(value))) : static_cast<qint64>(value);
    return static_cast<qint32>(negative ? -asSigned : asSigned);
}

qint32 StrToInt(const QString& text)
{
    if (auto value = tryStrToInt(text))
        return *value;
    throw ConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

QString TwoDigits(int value)
{
    return value <= 9 ? QStringLiteral("0") + QString::number(value) : QString::number(value);
}
