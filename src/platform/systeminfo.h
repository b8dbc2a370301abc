#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace platform {

struct ScreenSize
{
    int width = 0;
    int height = 0;
};

/// Names and sizes the system reports about itself.
class SystemInfo
{
public:
    static std::shared_ptr<SystemInfo> create(const Context& context);
    virtual ~SystemInfo() = default;

    /// The user's login name; nothing when it cannot be obtained or does not fit 27 bytes.
    virtual std::optional<std::string> userName() = 0;
    /// The computer's name; nothing when it cannot be obtained or does not fit 15 bytes.
    virtual std::optional<std::string> computerName() = 0;
    /// The system directory.
    virtual std::string systemDirectory() = 0;
    /// The Windows directory (the program's config folder on Linux).
    virtual std::string windowsDirectory() = 0;
    /// Size of the monitor that holds the point (x, y) in screen coordinates.
    virtual ScreenSize monitorSizeAt(int x, int y) = 0;

protected:
    SystemInfo() = default;
    SystemInfo(const SystemInfo&) = delete;
    SystemInfo& operator=(const SystemInfo&) = delete;
};

} // namespace platform
