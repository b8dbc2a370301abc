#pragma once

#include <memory>

#include "platform/platform.h"

namespace platform {

/// The door (tray) of the computer's CD drive.
class CdDoor
{
public:
    static std::shared_ptr<CdDoor> create(const Context& context);
    virtual ~CdDoor() = default;

    /// Opens the tray; false when there is no drive or it did not take the request (busy, no tray).
    virtual bool open() = 0;
    /// Closes the tray; false when there is no drive or it did not take the request.
    virtual bool close() = 0;

protected:
    CdDoor() = default;
    CdDoor(const CdDoor&) = delete;
    CdDoor& operator=(const CdDoor&) = delete;
};

} // namespace platform
