#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace platform {

/// Starting the program once at the user's next logon (the run-once list).
class Autostart
{
public:
    static std::shared_ptr<Autostart> create(const Context& context);
    virtual ~Autostart() = default;

    /// Registers `executable` under `name` for the next logon, replacing an earlier registration; false when
    /// the place of the registrations cannot be opened or written.
    virtual bool registerOnce(const std::string& name, const std::string& executable) = 0;
    /// Removes the registration; false when there was none or it cannot be removed.
    virtual bool unregister(const std::string& name) = 0;
    /// Whether a registration exists.
    virtual bool isRegistered(const std::string& name) = 0;
    /// Called once at program start: a registration that started this process is used up (where the
    /// platform does not remove it by itself).
    virtual void consumeIfStartedByIt() = 0;

protected:
    Autostart() = default;
    Autostart(const Autostart&) = delete;
    Autostart& operator=(const Autostart&) = delete;
};

} // namespace platform
