#include "common/decimaldigits.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace {

void trimZeros(DecimalDigits& number)
{
    std::size_t first = number.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        number.digits.clear();
        number.exponent = 0;
        number.negative = false;
        return;
    }
    number.digits.erase(0, first);
    number.exponent -= int(first);
    number.digits.erase(number.digits.find_last_not_of('0') + 1);
}

} // namespace

DecimalDigits DecimalDigits::exact(long double value)
{
    DecimalDigits result;
    if (value == 0 || !std::isfinite(value))
        return result;
    // to_chars gives the exact binary value when asked for enough digits, whatever the C library's locale
    // (printf would write the user's decimal comma). An 80-bit long double has at most a few thousand
    // digits, but the values we format (floats, 64-bit byte counts over powers of two, ratios near 100)
    // never need more than this.
    char buffer[512];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 200);
    const std::string_view text(buffer, std::size_t(written.ptr - buffer));
    std::size_t pos = 0;
    if (text[pos] == '-') {
        result.negative = true;
        ++pos;
    }
    const std::size_t e = text.find('e');
    for (std::size_t i = pos; i < e; ++i)
        if (text[i] >= '0' && text[i] <= '9')
            result.digits += text[i];
    std::size_t exponentStart = e + 1;
    if (text[exponentStart] == '+')
        ++exponentStart;
    int exponent = 0;
    std::from_chars(text.data() + exponentStart, text.data() + text.size(), exponent);
    result.exponent = exponent + 1;
    trimZeros(result);
    return result;
}

DecimalDigits DecimalDigits::roundedAt(int keep) const
{
    DecimalDigits result = *this;
    if (isZero() || keep >= int(digits.size()))
        return result;
    if (keep < 0) {
        result.digits.clear();
        trimZeros(result);
        return result;
    }
    const bool up = digits[std::size_t(keep)] >= '5';
    result.digits.resize(std::size_t(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && result.digits[std::size_t(i)] == '9') {
            result.digits[std::size_t(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++result.digits[std::size_t(i)];
        } else {
            result.digits.insert(result.digits.begin(), '1');
            ++result.exponent;
        }
    }
    trimZeros(result);
    if (result.isZero())
        result.negative = false;
    return result;
}

DecimalDigits DecimalDigits::roundedToSignificant(int count) const
{
    return roundedAt(count);
}

DecimalDigits DecimalDigits::roundedToDecimals(int decimals) const
{
    return roundedAt(exponent + decimals);
}
