#include "platform/linux/livesystem.h"

#include "platform/linux/blanks.h"

#include <QFile>

#include <climits>
#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>
#include <vector>

namespace platform::detail {

namespace {

std::optional<std::string> fieldOf(std::string_view text, std::string_view field)
{
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(start, end - start);
        const std::size_t colon = line.find(':');
        if (colon != std::string_view::npos && trimBlanksAndCr(line.substr(0, colon)) == field) {
            const std::string_view value = trimBlanksAndCr(line.substr(colon + 1));
            if (!value.empty())
                return std::string(value);
        }
        start = end + 1;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> hostName()
{
    char buffer[HOST_NAME_MAX + 1] = {};
    if (::gethostname(buffer, sizeof buffer - 1) != 0 || !buffer[0])
        return std::nullopt;
    return std::string(buffer);
}

std::optional<std::string> loginName()
{
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? std::size_t(size) : 16384);
    passwd entry{};
    passwd* result = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &result) != 0 || !result || !result->pw_name ||
        !result->pw_name[0])
        return std::nullopt;
    return std::string(result->pw_name);
}

std::optional<std::string> processorName()
{
    // /proc files report a size of zero, so read to the end rather than by size.
    QFile file("/proc/cpuinfo");
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return processorNameFrom(file.readAll().toStdString());
}

std::optional<std::string> processorNameFrom(std::string_view cpuinfo)
{
    for (std::string_view field : {"model name", "Processor", "Hardware"}) {
        if (auto value = fieldOf(cpuinfo, field))
            return value;
    }
    return std::nullopt;
}

std::optional<std::string> processorIdentifier()
{
    QFile file("/proc/cpuinfo");
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    utsname names{};
    if (::uname(&names) != 0)
        return std::nullopt;
    return processorIdentifierFrom(file.readAll().toStdString(), names.machine);
}

std::optional<std::string> processorIdentifierFrom(std::string_view cpuinfo, std::string_view machine)
{
    // Windows names the architectures its own way; the rest keep the kernel's name.
    std::string architecture(machine);
    if (machine == "x86_64")
        architecture =
            fieldOf(cpuinfo, "vendor_id") == std::optional<std::string>("GenuineIntel") ? "Intel64" : "AMD64";
    else if (machine == "i386" || machine == "i486" || machine == "i586" || machine == "i686")
        architecture = "x86";
    else if (machine == "aarch64")
        architecture = "ARMv8 (64-bit)";
    if (architecture.empty())
        return std::nullopt;
    const auto family = fieldOf(cpuinfo, "cpu family");
    const auto model = fieldOf(cpuinfo, "model");
    const auto stepping = fieldOf(cpuinfo, "stepping");
    if (family && model && stepping)
        return architecture + " Family " + *family + " Model " + *model + " Stepping " + *stepping;
    const auto armArchitecture = fieldOf(cpuinfo, "CPU architecture");
    const auto part = fieldOf(cpuinfo, "CPU part");
    const auto revision = fieldOf(cpuinfo, "CPU revision");
    if (armArchitecture && part && revision)
        return architecture + " Family " + *armArchitecture + " Model " + *part + " Revision " + *revision;
    return architecture;
}

std::optional<std::string> fitInBuffer(std::optional<std::string> name, std::size_t bufferBytes)
{
    if (!name || name->size() + 1 > bufferBytes)
        return std::nullopt;
    return name;
}

} // namespace platform::detail
