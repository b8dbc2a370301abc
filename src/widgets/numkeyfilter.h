#pragma once

#include <QChar>
#include <QString>
#include <optional>

// The rules of the numeric edit, free of the widget: which typed character gets in, what it turns into,
// and the number text as the edit reads and writes it.
struct NumEditRules
{
    bool enableFloat = true;
    bool isUnsigned = false;
    float min = 0;
    float max = 1000;
};

struct NumKeyOutcome
{
    /// The key as it goes on; a null character means rejected.
    QChar key;
    /// Set when the edit's whole text is to be replaced (a digit pushed the value past a bound).
    std::optional<QString> replacementText;
};

/// Filters one typed character against the current text. Throws ConvertError when a digit would be appended
/// to a text that is not a number.
NumKeyOutcome filterNumKey(QChar key, const QString& text, const NumEditRules& rules, QChar decimalSeparator);

/// The shortest general text of a number (no trailing zeros) with the given decimal separator.
QString numberText(double value, QChar decimalSeparator);

/// Reads a decimal number (optional sign, digits, one separator, optional exponent, blanks around).
/// Throws ConvertError "'<text>' is not a valid floating point value".
double textToNumber(const QString& text, QChar decimalSeparator);

/// The edit's value: an empty text is 0, anything else must be an integer (the text-to-integer rule).
double numEditValue(const QString& text);
