#include "widgets/numkeyfilter.h"

#include "common/errors.h"
#include "common/strtoint.h"

namespace {

constexpr QChar Backspace(8);

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

NumKeyOutcome filterNumKey(QChar key, const QString& text, const NumEditRules& rules, QChar decimalSeparator)
{
    NumKeyOutcome outcome{key, std::nullopt};
    if (key == Backspace || isDigit(key)) {
        // passes on
    } else if (key == QLatin1Char(',') || key == QLatin1Char('.')) {
        if (text.contains(decimalSeparator) || !rules.enableFloat)
            outcome.key = QChar();
        else
            outcome.key = decimalSeparator;
    } else if (key == QLatin1Char('-')) {
        if (!text.isEmpty() || rules.min >= 0 || rules.isUnsigned)
            outcome.key = QChar();
    } else {
        outcome.key = QChar();
    }

    if (isDigit(outcome.key)) {
        // The candidate is always the text with the digit at its end, wherever the caret is.
        const double candidate = textToNumber(text + outcome.key, decimalSeparator);
        if (candidate < rules.min) {
            outcome.key = QChar();
            outcome.replacementText = numberText(rules.min, decimalSeparator);
        }
        if (candidate > rules.max) {
            outcome.key = QChar();
            outcome.replacementText = numberText(rules.max, decimalSeparator);
        }
    }
    return outcome;
}

QString numberText(double value, QChar decimalSeparator)
{
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
}

double textToNumber(const QString& text, QChar decimalSeparator)
{
    const QString trimmed = text.trimmed();
    QString normal;
    normal.reserve(trimmed.size());
    bool valid = !trimmed.isEmpty();
    bool seenSeparator = false;
    bool seenDigit = false;
    int i = 0;
    if (i < trimmed.size() && (trimmed[i] == QLatin1Char('-') || trimmed[i] == QLatin1Char('+')))
        normal += trimmed[i++];
    for (; valid && i < trimmed.size(); ++i) {
        const QChar c = trimmed[i];
        if (isDigit(c)) {
            seenDigit = true;
            normal += c;
        } else if (c == decimalSeparator && !seenSeparator) {
            seenSeparator = true;
            normal += QLatin1Char('.');
        } else if ((c == QLatin1Char('e') || c == QLatin1Char('E')) && seenDigit) {
            normal += QLatin1Char('e');
            ++i;
            if (i < trimmed.size() && (trimmed[i] == QLatin1Char('-') || trimmed[i] == QLatin1Char('+')))
                normal += trimmed[i++];
            const int exponentStart = i;
            for (; i < trimmed.size() && isDigit(trimmed[i]); ++i)
                normal += trimmed[i];
            valid = i > exponentStart && i == trimmed.size();
            break;
        } else {
            valid = false;
        }
    }
    bool ok = false;
    const double value = valid && seenDigit ? normal.toDouble(&ok) : 0.0;
    if (!ok)
        throw ConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return value;
}

double numEditValue(const QString& text)
{
    if (text.isEmpty())
        return 0;
    return StrToInt(text);
}
