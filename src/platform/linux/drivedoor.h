#pragma once

#include <string>
#include <utility>

#include "platform/cddoor.h"

namespace platform {

/// The tray of the first optical drive among the device files of one folder ("/dev" for the machine's own).
class DriveDoor final : public CdDoor
{
public:
    enum class Request
    {
        Open,
        Close
    };

    explicit DriveDoor(std::string deviceDir) : m_deviceDir(std::move(deviceDir)) {}

    bool open() override { return ask(Request::Open); }
    bool close() override { return ask(Request::Close); }

    /// The first optical drive in `deviceDir`: its "cdrom" link when that leads somewhere, else the
    /// lowest-numbered "sr" device; empty when there is none.
    static std::string firstDrive(const std::string& deviceDir);
    /// Sends the eject or close-tray request to the block device `device`; false when it is missing, not a
    /// block device, busy or refuses.
    static bool send(const std::string& device, Request request);

private:
    bool ask(Request request) const;

    std::string m_deviceDir;
};

} // namespace platform
