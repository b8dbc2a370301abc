#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace platform {

/// Switches the keyboard layout the program types with.
class KeyboardLayout
{
public:
    static std::shared_ptr<KeyboardLayout> create(const Context& context);
    virtual ~KeyboardLayout() = default;

    /// Makes a layout the active one: "00000409" US English, "00000419" Russian. Quietly does nothing
    /// where the layout is not configured or the desktop offers no way to switch.
    virtual void activate(const std::string& layoutId) = 0;

protected:
    KeyboardLayout() = default;
    KeyboardLayout(const KeyboardLayout&) = delete;
    KeyboardLayout& operator=(const KeyboardLayout&) = delete;
};

} // namespace platform
