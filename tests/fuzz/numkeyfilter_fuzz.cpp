// A key typed into a numeric edit against whatever text the edit holds (pasted text included). The filter
// lets a key through unchanged, turns a separator into the edit's own, rejects it, or replaces the text by
// a bound; it never raises anything but the conversion error. A digit it lets through leaves a number
// inside the bounds, a replacement is a bound that reads back, and a number read from text is written as
// text that reads back to the same value.
#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "common/errors.h"
#include "widgets/numkeyfilter.h"

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool sameNumber(double a, double b)
{
    return a == b || std::fabs(a - b) <= 1e-13 * std::fmax(std::fabs(a), std::fabs(b));
}

// The value of text the filter or the edit wrote itself; anything else is a fault.
double ownNumber(const QString& text, QChar separator)
{
    try {
        return textToNumber(text, separator);
    } catch (const ConvertError&) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Six bytes of settings: the flags with the separator, the typed key, the two bounds.
    if (size < 6)
        return 0;
    NumEditRules rules;
    rules.enableFloat = data[0] & 1;
    rules.isUnsigned = data[0] & 2;
    const QChar separator = (data[0] & 4) ? QLatin1Char(',') : QLatin1Char('.');
    const QChar key = QLatin1Char(static_cast<char>(data[1]));
    rules.min = static_cast<float>(static_cast<int16_t>(data[2] | data[3] << 8)) / ((data[0] & 8) ? 8.0f : 1.0f);
    rules.max = static_cast<float>(static_cast<int16_t>(data[4] | data[5] << 8)) / ((data[0] & 16) ? 8.0f : 1.0f);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data) + 6, static_cast<qsizetype>(size - 6));

    try {
        const NumKeyOutcome outcome = filterNumKey(key, text, rules, separator);
        if (outcome.replacementText) {
            if (!outcome.key.isNull())
                std::abort();
            const double bound = ownNumber(*outcome.replacementText, separator);
            if (!sameNumber(bound, rules.min) && !sameNumber(bound, rules.max))
                std::abort();
        } else if (!outcome.key.isNull()) {
            if (outcome.key != key &&
                !(outcome.key == separator && (key == QLatin1Char(',') || key == QLatin1Char('.'))))
                std::abort();
            if (isDigit(outcome.key)) {
                const double value = ownNumber(text + outcome.key, separator);
                if (value < rules.min || value > rules.max)
                    std::abort();
            }
        }
    } catch (const ConvertError&) {
        // A digit after text that is not a number.
        if (!isDigit(key))
            std::abort();
    }

    try {
        const double value = textToNumber(text, separator);
        if (std::isfinite(value) && !sameNumber(ownNumber(numberText(value, separator), separator), value))
            std::abort();
    } catch (const ConvertError&) {
    }

    try {
        const double value = numEditValue(text);
        if (value != std::trunc(value))
            std::abort();
    } catch (const ConvertError&) {
    }
    return 0;
}
