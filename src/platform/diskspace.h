#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

enum class DriveKind
{
    Fixed,
    Removable,
    Optical,
    Network,
    Ram,
    Unknown
};

struct Drive
{
    /// What the size is asked for: a root such as "C:\" on Windows, a mount point on Linux.
    std::string id;
    /// How the drive is shown to the user: "c: [SYSTEM]", "/home", "STICK (/media/me/STICK)".
    std::string name;
    DriveKind kind = DriveKind::Unknown;
};

struct DriveSize
{
    /// Bytes in all; -1 when the drive cannot be asked (no such drive, no medium).
    std::int64_t total = -1;
    /// Bytes the user may still write; -1 when the drive cannot be asked.
    std::int64_t free = -1;
};

/// The drives of the machine and their capacity.
class DiskSpace
{
public:
    static std::shared_ptr<DiskSpace> create(const Context& context);
    virtual ~DiskSpace() = default;

    /// The drives that hold user data, in the order to show them.
    virtual std::vector<Drive> drives() = 0;
    /// The id of the drive holding a path (the drive of the current directory at start), or empty.
    virtual std::string driveOf(const std::string& path) = 0;
    /// Total and free bytes of a drive, asked afresh.
    virtual DriveSize size(const std::string& id) = 0;

protected:
    DiskSpace() = default;
    DiskSpace(const DiskSpace&) = delete;
    DiskSpace& operator=(const DiskSpace&) = delete;
};

} // namespace platform
