#include "platform/sound.h"

#include "platform/tone.h"
#include "platform/windows/wide.h"

#include <windows.h>

#include <mmsystem.h>

#include <vector>

namespace platform {
namespace {

constexpr int kToneSampleRate = 44100;

class WindowsSound final : public Sound
{
public:
    ~WindowsSound() override { stopPlaying(); }

    void errorBeep() override { MessageBeep(MB_ICONHAND); }

    // Beep itself would hold the caller until the tone ends; the same tone as an in-memory wave does not.
    void beep(int frequency, int durationMs) override
    {
        stopPlaying();
        m_wave = waveFile(sineTone(frequency, durationMs, kToneSampleRate), kToneSampleRate);
        PlaySoundW(reinterpret_cast<LPCWSTR>(m_wave.data()), nullptr, SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
    }

    // A missing file gives the system's default sound, as PlaySound does without SND_NODEFAULT.
    void playFile(const std::string& path) override
    {
        stopPlaying();
        PlaySoundW(detail::widen(path).c_str(), nullptr, SND_FILENAME | SND_ASYNC);
    }

private:
    // The wave in memory must stay while it plays: the playing sound ends before it is replaced.
    void stopPlaying() { PlaySoundW(nullptr, nullptr, 0); }

    std::vector<unsigned char> m_wave;
};

} // namespace

std::shared_ptr<Sound> Sound::create(const Context&)
{
    return std::make_shared<WindowsSound>();
}

} // namespace platform
