#include "platform/linux/drivedoor.h"

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <filesystem>
#include <optional>

namespace platform {
namespace {

// The number of an "sr<digits>" device name.
std::optional<unsigned> scsiCdNumber(const std::string& name)
{
    if (name.size() < 3 || name.compare(0, 2, "sr") != 0)
        return std::nullopt;
    unsigned number = 0;
    const char* end = name.data() + name.size();
    const auto [stop, error] = std::from_chars(name.data() + 2, end, number);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return number;
}

} // namespace

std::string DriveDoor::firstDrive(const std::string& deviceDir)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path dir(deviceDir);
    if (fs::exists(dir / "cdrom", error))
        return (dir / "cdrom").string();
    std::optional<unsigned> lowest;
    std::string first;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        const std::optional<unsigned> number = scsiCdNumber(it->path().filename().string());
        if (number && (!lowest || *number < *lowest)) {
            lowest = number;
            first = it->path().string();
        }
    }
    return first;
}

bool DriveDoor::send(const std::string& device, Request request)
{
    // Without O_NONBLOCK the open waits for a medium, and an empty drive is the usual case for opening the door.
    const int fd = ::open(device.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    // The request numbers mean other things to other devices, so only a block device is asked.
    struct stat status = {};
    bool done = false;
    if (::fstat(fd, &status) == 0 && S_ISBLK(status.st_mode))
        done = ::ioctl(fd, request == Request::Open ? CDROMEJECT : CDROMCLOSETRAY, 0) == 0;
    ::close(fd);
    return done;
}

bool DriveDoor::ask(Request request) const
{
    const std::string device = firstDrive(m_deviceDir);
    return !device.empty() && send(device, request);
}

} // namespace platform
