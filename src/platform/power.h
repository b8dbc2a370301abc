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

    /// Asks the system for the action (acquiring whatever right it needs first): on Linux the desktop's session
    /// manager, the login manager only where none runs. False when nobody could even be asked; the system may
    /// still refuse, ask the user or let a program with unsaved work stop it.
    virtual bool request(PowerAction action) = 0;

protected:
    Power() = default;
    Power(const Power&) = delete;
    Power& operator=(const Power&) = delete;
};

} // namespace platform
