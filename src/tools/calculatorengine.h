#pragma once

#include <QString>

// The pocket calculator's rules: strict left-to-right evaluation in single precision, the display as the
// only store of the number being typed. A key that fails (division by zero, overflow, an unreadable entry)
// throws FloatError or ConvertError and leaves every part of the state as it was.
class CalculatorEngine final
{
public:
    enum Op
    {
        None = 0,
        Add = 1,
        Subtract = 2,
        Multiply = 3,
        Divide = 4
    };

    /// `decimalSeparator` is what the comma key types and what the entry is read with.
    explicit CalculatorEngine(QChar decimalSeparator = QLatin1Char(',')) : m_separator(decimalSeparator) {}

    void setDecimalSeparator(QChar separator) { m_separator = separator; }
    QChar decimalSeparator() const { return m_separator; }

    void digit(int digit);
    void comma();
    void operation(Op op);
    void equals() { operation(None); }
    void clear();

    QString display() const { return m_display; }
    float Accumulator = 0;
    int PendingOp = None;
    int Entering = 0;

private:
    void ApplyPendingOperation();
    float readEntry() const;

    QChar m_separator;
    QString m_display = QStringLiteral("0");
};
