#pragma once

#include <memory>

#include "platform/platform.h"

namespace platform {

/// The mouse pointer's speed and button order, set where the desktop keeps them (on Windows for this session only;
/// GNOME keeps them in the user's settings).
class Pointer
{
public:
    static std::shared_ptr<Pointer> create(const Context& context);
    virtual ~Pointer() = default;

    /// Sets the pointer speed on the scale 1 (slowest) to 20, where 10 is the system's usual speed; other
    /// values are refused quietly.
    virtual void setSpeed(int speed) = 0;
    /// Swaps the primary and secondary buttons (true) or puts them in their usual order (false).
    virtual void swapButtons(bool swapped) = 0;

protected:
    Pointer() = default;
    Pointer(const Pointer&) = delete;
    Pointer& operator=(const Pointer&) = delete;
};

} // namespace platform
