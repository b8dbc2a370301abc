#include "platform/registry.h"

#include <cstdio>
#include <string>

// registry_writer <configDir> <prefix> <count>: writes values "<prefix>-<i>" = "<i>" into one shared key and
// creates a key of its own per value, exiting non-zero when any write is refused.
int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    const std::string prefix = argv[2];
    const int count = std::stoi(argv[3]);
    platform::Context context{argv[1],
                              [](const std::string& message) { std::fprintf(stderr, "%s\n", message.c_str()); }};
    auto registry = platform::Registry::create(context);
    const std::string shared = "Software\\Shared";
    if (!registry->createKey(platform::Hive::CurrentUser, shared))
        return 1;
    for (int i = 0; i < count; ++i) {
        const std::string name = prefix + "-" + std::to_string(i);
        if (!registry->writeString(platform::Hive::CurrentUser, shared, name, std::to_string(i)))
            return 1;
        if (!registry->createKey(platform::Hive::CurrentUser, "Software\\Own\\" + name))
            return 1;
    }
    return 0;
}
