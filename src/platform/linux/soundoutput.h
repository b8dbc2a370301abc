#pragma once

#include <QString>
#include <functional>

// Tones and sound files go through Qt Multimedia, which lives in a module of its own, loaded at the first tone or
// file: a run that plays none does without its libraries.
#define TROMBUS_SOUND_MODULE "trombus_sound"
#define TROMBUS_SOUND_ENTRY "trombusMakeSoundOutput"

namespace platform::detail {

/// The sound server's default output for tones and sound files.
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    /// Starts a sine tone and returns at once; a tone still sounding is ended.
    virtual void tone(int frequency, int durationMs) = 0;
    /// Plays a sound file without waiting for it, ending the one still playing; `failed` is called instead when
    /// the file is missing or cannot be played, then or later on the GUI thread.
    virtual void playFile(const QString& path, std::function<void()> failed) = 0;
};

/// The module's entry point: a new output, owned by the caller.
using MakeSoundOutputFunction = SoundOutput* (*)();

} // namespace platform::detail
