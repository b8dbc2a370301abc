#pragma once

#include <string>
#include <string_view>

namespace platform::detail {

/// A key for comparing names without regard to case as Windows does, Cyrillic included; two names are equal
/// without regard to case when their keys are equal, and a key's prefix is the key of the name's prefix.
std::u16string caselessKey(std::string_view utf8);

bool equalsCaseless(std::string_view a, std::string_view b);

} // namespace platform::detail
