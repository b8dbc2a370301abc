#include "platform/inifiles.h"
#include "platform/registry.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool writeRegistry(const platform::Context& context, const std::string& prefix, int count)
{
    auto registry = platform::Registry::create(context);
    const std::string shared = "Software\\Shared";
    if (!registry->createKey(platform::Hive::CurrentUser, shared))
        return false;
    for (int i = 0; i < count; ++i) {
        const std::string name = prefix + "-" + std::to_string(i);
        if (!registry->writeString(platform::Hive::CurrentUser, shared, name, std::to_string(i)))
            return false;
        if (!registry->createKey(platform::Hive::CurrentUser, "Software\\Own\\" + name))
            return false;
    }
    return true;
}

bool writeIni(const platform::Context& context, const std::string& prefix, int count)
{
    auto ini = platform::IniFiles::create(context);
    for (int i = 0; i < count; ++i) {
        const std::string name = prefix + "-" + std::to_string(i);
        if (!ini->write("start.ini", "Shared", name, std::to_string(i)))
            return false;
        if (!ini->write("start.ini", name, "own", std::to_string(i)))
            return false;
    }
    return true;
}

} // namespace

// registry_writer <configDir> <prefix> <count> [ini]: writes values "<prefix>-<i>" = "<i>" into one shared key
// and creates a key of its own per value; with "ini", writes keys "<prefix>-<i>" = "<i>" into one shared
// section of start.ini and a section of its own per key. Exits non-zero when any write is refused.
int main(int argc, char** argv)
{
    if (argc != 4 && !(argc == 5 && std::strcmp(argv[4], "ini") == 0))
        return 2;
    const std::string prefix = argv[2];
    const int count = std::stoi(argv[3]);
    platform::Context context{argv[1],
                              [](const std::string& message) { std::fprintf(stderr, "%s\n", message.c_str()); }};
    const bool written = argc == 5 ? writeIni(context, prefix, count) : writeRegistry(context, prefix, count);
    return written ? 0 : 1;
}
