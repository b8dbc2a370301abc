#pragma once

#include <string_view>

namespace platform::detail {

/// The text without blanks, tabs and carriage returns at either end. In the registry file a carriage return
/// counts as a blank: one left at a line's end would be read back as part of the line end, so keeping it in
/// a value would change the value on the next read.
inline std::string_view trimBlanksAndCr(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace platform::detail
