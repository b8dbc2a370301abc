#include "platform/linux/caseless.h"

#include <QString>

namespace platform::detail {

std::u16string caselessKey(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())).toCaseFolded().toStdU16String();
}

bool equalsCaseless(std::string_view a, std::string_view b)
{
    return caselessKey(a) == caselessKey(b);
}

} // namespace platform::detail
