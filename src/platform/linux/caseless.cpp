#include "platform/linux/caseless.h"

#include <QString>
#include <algorithm>

namespace platform::detail {

std::u16string caselessKey(std::string_view utf8)
{
    // Most names are plain ASCII; folding those by hand spares a round trip through QString, which every
    // registry look-up would otherwise pay for each component of each stored key.
    std::u16string ascii;
    ascii.reserve(utf8.size());
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80)
            return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())).toCaseFolded().toStdU16String();
        ascii.push_back(static_cast<char16_t>(byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte));
    }
    return ascii;
}

bool equalsCaseless(std::string_view a, std::string_view b)
{
    return caselessKey(a) == caselessKey(b);
}

void addUniqueCaseless(std::vector<std::string>& names, std::vector<std::u16string>& seen, std::string name)
{
    std::u16string key = caselessKey(name);
    if (std::find(seen.begin(), seen.end(), key) != seen.end())
        return;
    seen.push_back(std::move(key));
    names.push_back(std::move(name));
}

} // namespace platform::detail
