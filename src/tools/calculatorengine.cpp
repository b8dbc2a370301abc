#include "tools/calculatorengine.h"

#include <charconv>
#include <cmath>

#include "common/errors.h"
#include "common/numberformats.h"

namespace {

[[noreturn]] void overflow()
{
    throw FloatError(QStringLiteral("Floating point overflow"));
}

} // namespace

void CalculatorEngine::digit(int digit)
{
    if (Entering == 0) {
        if (digit == 0)
            return;
        m_display = QString::number(digit);
        Entering = 1;
        return;
    }
    m_display += QString::number(digit);
}

void CalculatorEngine::comma()
{
    if (Entering == 0) {
        m_display = QStringLiteral("0") + m_separator;
        Entering = 1;
        return;
    }
    if (!m_display.contains(m_separator))
        m_display += m_separator;
}

void CalculatorEngine::operation(Op op)
{
    if (Entering == 1) {
        ApplyPendingOperation();
        Entering = 0;
    }
    PendingOp = op;
}

void CalculatorEngine::clear()
{
    m_display = QStringLiteral("0");
    Accumulator = 0;
    PendingOp = None;
    Entering = 0;
}

float CalculatorEngine::readEntry() const
{
    // Digits with at most one separator, possibly last; anything else (an entry typed while another
    // separator was in force) is not a number.
    const auto invalid = [this] {
        return ConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(m_display));
    };
    std::string plain;
    bool separatorSeen = false;
    for (const QChar c : m_display) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            plain += char(c.unicode());
        } else if (c == m_separator && !separatorSeen) {
            separatorSeen = true;
            plain += '.';
        } else {
            throw invalid();
        }
    }
    if (plain.empty() || plain == ".")
        throw invalid();
    // from_chars always reads "." as the point; strtod would follow the user's locale and stop at it.
    // A fraction left empty ("5.") is completed so that every accepted entry parses in full.
    if (plain.back() == '.')
        plain += '0';
    if (plain.front() == '.')
        plain.insert(plain.begin(), '0');
    double value = 0;
    const auto parsed = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (parsed.ec == std::errc::result_out_of_range)
        overflow();
    if (parsed.ec != std::errc() || parsed.ptr != plain.data() + plain.size())
        throw invalid();
    const float rounded = float(value);
    if (std::isinf(rounded))
        overflow();
    return rounded;
}

void CalculatorEngine::ApplyPendingOperation()
{
    const float x = readEntry();
    // Computing in double and narrowing gives the same float as one single-precision operation: double
    // carries more than twice the float's precision, so the second rounding never changes the first.
    const double a = Accumulator;
    double result = 0;
    switch (PendingOp) {
    case Add:
        result = a + x;
        break;
    case Subtract:
        result = a - x;
        break;
    case Multiply:
        result = a * x;
        break;
    case Divide:
        if (x == 0) {
            if (a == 0)
                throw FloatError(QStringLiteral("Invalid floating point operation"));
            throw FloatError(QStringLiteral("Floating point division by zero"));
        }
        result = a / x;
        break;
    default:
        result = x;
        break;
    }
    const float stored = float(result);
    if (std::isinf(stored))
        overflow();
    Accumulator = stored;
    m_display = formatGeneral6(Accumulator, m_separator);
}
