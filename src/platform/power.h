#pragma once

#include <memory>

#include "platform/platform.h"

namespace platform {

/// What a reminder may ask of the session when it goes off.
enum class PowerAction
{
    LogOff,
    Restart,
    PowerOff
};

/// Ends the user's session, restarts or powers off the machine; never forces programs to close.
class Power
{
public:
    static std::shared_ptr<Power> create(const Context& context);
    virtual ~Power() = default;

    /// Asks the system for the action (acquiring whatever right it needs first); false when it could not even
    /// be asked. The system may still refuse or ask the user.
    virtual bool request(PowerAction action) = 0;

protected:
    Power() = default;
    Power(const Power&) = delete;
    Power& operator=(const Power&) = delete;
};

} // namespace platform
