#include "platform/linux/xkbgroups.h"

#include <set>

namespace platform::detail {

namespace {

// Parts of a symbols name that add keys or options rather than a layout of their own.
const std::set<std::string> NotLayouts = {"pc",        "inet",   "group",     "compose",  "ctrl",          "capslock",
                                          "terminate", "level3", "altwin",    "eurosign", "keypad",        "kpdl",
                                          "nbsp",      "shift",  "srvr_ctrl", "lv3",      "lv5",           "numpad",
                                          "evdev",     "typo",   "caps",      "compat",   "mod_led",       "grp_led",
                                          "rupeesign", "japan",  "korean",    "apple",    "macintosh_vndr"};

} // namespace

int xkbGroupOfLayout(const std::string& symbols, const std::string& layout)
{
    bool firstLayoutSeen = false;
    std::size_t start = 0;
    while (start <= symbols.size()) {
        std::size_t end = symbols.find('+', start);
        if (end == std::string::npos)
            end = symbols.size();
        const std::string entry = symbols.substr(start, end - start);
        start = end + 1;
        const std::size_t nameEnd = entry.find_first_of("(:");
        const std::string name = entry.substr(0, nameEnd);
        if (name.empty() || NotLayouts.count(name))
            continue;
        int group = 0;
        const std::size_t colon = entry.find(':');
        if (colon != std::string::npos) {
            try {
                group = std::stoi(entry.substr(colon + 1)) - 1;
            } catch (...) {
                continue;
            }
        } else if (firstLayoutSeen) {
            continue;
        }
        firstLayoutSeen = true;
        if (name == layout && group >= 0 && group < 4)
            return group;
    }
    return -1;
}

int xkbGroupOfLayoutByNames(const std::vector<std::string>& groupNames, const std::string& layout)
{
    const std::string word = layout == "ru" ? "Russian" : layout == "us" ? "English (US)" : "";
    if (word.empty())
        return -1;
    for (std::size_t i = 0; i < groupNames.size(); ++i)
        if (groupNames[i].starts_with(word))
            return int(i);
    return -1;
}

} // namespace platform::detail
