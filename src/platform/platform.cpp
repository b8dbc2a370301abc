#include "platform/platform.h"

#include <cstdlib>

namespace platform {

std::string defaultConfigDir()
{
#ifdef _WIN32
    const char* appData = std::getenv("APPDATA");
    return std::string(appData ? appData : ".") + "\\trombus";
#else
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg)
        return std::string(xdg) + "/trombus";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : ".") + "/.config/trombus";
#endif
}

} // namespace platform
