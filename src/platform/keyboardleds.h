#pragma once

#include <memory>

#include "platform/platform.h"

namespace platform {

/// The lights of the lock keys (Num Lock 144, Caps Lock 20, Scroll Lock 145, named by their virtual keys), for a
/// short light show.
class KeyboardLeds
{
public:
    static std::shared_ptr<KeyboardLeds> create(const Context& context);
    virtual ~KeyboardLeds() = default;

    /// Turns the light of the lock key on when it is off and off when it is on. Where the platform can light the
    /// LEDs alone, the lock itself (and any layout switch bound to it) keeps its state.
    virtual void toggleLight(int virtualKey) = 0;
    /// Ends the show: every light shows its lock's state again.
    virtual void endShow() = 0;

protected:
    KeyboardLeds() = default;
    KeyboardLeds(const KeyboardLeds&) = delete;
    KeyboardLeds& operator=(const KeyboardLeds&) = delete;
};

} // namespace platform
