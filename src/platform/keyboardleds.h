#pragma once

#include <memory>

#include "platform/platform.h"

namespace platform {

/// Synthesised presses of the lock keys (Num Lock 144, Caps Lock 20, Scroll Lock 145, as virtual keys);
/// each press toggles the lock and its light.
class KeyboardLeds
{
public:
    static std::shared_ptr<KeyboardLeds> create(const Context& context);
    virtual ~KeyboardLeds() = default;

    /// A synthesised key press of the virtual key.
    virtual void keyDown(int virtualKey) = 0;
    /// A synthesised key release of the virtual key.
    virtual void keyUp(int virtualKey) = 0;

protected:
    KeyboardLeds() = default;
    KeyboardLeds(const KeyboardLeds&) = delete;
    KeyboardLeds& operator=(const KeyboardLeds&) = delete;
};

} // namespace platform
