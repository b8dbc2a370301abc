#pragma once

#include <string>

// The exact decimal expansion of a binary floating-point value, and its rounding with halves going away
// from zero, as the pocket calculator and the disk meter round (printf rounds exact ties to even).
struct DecimalDigits
{
    bool negative = false;
    /// Significant digits without leading or trailing zeros; empty for zero.
    std::string digits;
    /// The value is 0.d1d2d3... x 10^exponent.
    int exponent = 0;

    static DecimalDigits exact(long double value);

    /// Keeps `count` significant digits (count >= 1); a carry may add a leading digit.
    DecimalDigits roundedToSignificant(int count) const;
    /// Keeps `decimals` digits after the decimal point; may round to zero.
    DecimalDigits roundedToDecimals(int decimals) const;
    bool isZero() const { return digits.empty(); }

private:
    DecimalDigits roundedAt(int keep) const;
};
