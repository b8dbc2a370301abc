#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace platform {

/// The window's system menu (the title bar's menu), where the platform has one.
class SystemMenu
{
public:
    static std::shared_ptr<SystemMenu> create(const Context& context);
    virtual ~SystemMenu() = default;

    /// Appends a separator and an item with the command id to the system menu of the native window;
    /// false where the platform offers no system menu to extend.
    virtual bool appendItem(std::uintptr_t window, unsigned commandId, const std::string& text) = 0;
    /// The command of a system-menu choice on `window` carried by a native event (as the toolkit hands
    /// them over: its type name and the message), or 0 when the event is no such choice.
    virtual unsigned systemCommand(std::uintptr_t window, const std::string& eventType, void* message) = 0;

protected:
    SystemMenu() = default;
    SystemMenu(const SystemMenu&) = delete;
    SystemMenu& operator=(const SystemMenu&) = delete;
};

} // namespace platform
