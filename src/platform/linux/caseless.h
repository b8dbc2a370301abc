#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::detail {

/// A key for comparing names without regard to case as Windows does, Cyrillic included; two names are equal
/// without regard to case when their keys are equal, and a key's prefix is the key of the name's prefix.
std::u16string caselessKey(std::string_view utf8);

bool equalsCaseless(std::string_view a, std::string_view b);

/// Appends `name` unless a name equal to it without regard to case was appended before; `seen` holds the
/// keys of the names appended so far.
void addUniqueCaseless(std::vector<std::string>& names, std::vector<std::u16string>& seen, std::string name);

} // namespace platform::detail
