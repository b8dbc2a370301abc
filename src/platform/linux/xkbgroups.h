#pragma once

#include <string>
#include <vector>

namespace platform::detail {

/// The keyboard group (0-based) that holds a layout ("us", "ru"), read from the X keyboard's symbols
/// name such as "pc+us+ru:2+inet(evdev)+group(alt_shift_toggle)"; -1 when no group holds it.
int xkbGroupOfLayout(const std::string& symbols, const std::string& layout);

/// The same from the groups' descriptive names ("English (US)", "Russian"), for servers whose symbols
/// name says nothing useful.
int xkbGroupOfLayoutByNames(const std::vector<std::string>& groupNames, const std::string& layout);

} // namespace platform::detail
