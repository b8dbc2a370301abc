#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::detail {

/// A key for comparing names without regard to case as Windows does, Cyrillic included; two names are equal
/// without regard to case when their keys are equal, and a key's prefix is the key of the name's prefix.
std::u16string caselessKey(std::string_view utf8);

bool equalsCaseless(std::string_view a, std::string_view b);

/// A hash of a name's caseless key, computed without building the key: names equal without regard to case
/// hash alike.
std::size_t caselessHash(std::string_view utf8);

/// Hash and equality for unordered containers of names compared without regard to case. Neither allocates,
/// so a list of many thousand names is checked for repeats in one pass.
struct CaselessHash
{
    std::size_t operator()(std::string_view utf8) const { return caselessHash(utf8); }
};
struct CaselessEqual
{
    bool operator()(std::string_view a, std::string_view b) const { return equalsCaseless(a, b); }
};

/// Appends `name` unless a name equal to it without regard to case was appended before; `seen` holds the
/// keys of the names appended so far.
void addUniqueCaseless(std::vector<std::string>& names, std::vector<std::u16string>& seen, std::string name);

} // namespace platform::detail
