#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace platform {

/// The desktop's sounds: notification sounds, sound files and plain tones.
class Sound
{
public:
    static std::shared_ptr<Sound> create(const Context& context);
    virtual ~Sound() = default;

    /// The desktop's error sound (MessageBeep with the "hand" icon); returns at once.
    virtual void errorBeep() = 0;
    /// A sine tone of `frequency` hertz lasting `durationMs` (Beep); returns at once while the tone plays on.
    /// A new tone ends one that has not had its time yet. Without a sound device nothing is heard.
    virtual void beep(int frequency, int durationMs) = 0;
    /// Plays a sound file without waiting for it (PlaySound with SND_ASYNC); a file that is missing or cannot
    /// be played gives the error sound instead.
    virtual void playFile(const std::string& path) = 0;

protected:
    Sound() = default;
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;
};

} // namespace platform
