#pragma once

#include <memory>

#include "platform/platform.h"

namespace platform {

/// The desktop's notification sounds.
class Sound
{
public:
    static std::shared_ptr<Sound> create(const Context& context);
    virtual ~Sound() = default;

    /// The desktop's error sound (MessageBeep with the "hand" icon); returns at once.
    virtual void errorBeep() = 0;

protected:
    Sound() = default;
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;
};

} // namespace platform
