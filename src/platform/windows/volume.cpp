#include "platform/volume.h"

#include <windows.h>

#include <mmsystem.h>

namespace platform {
namespace {

// Device handle 0 is the first wave output device; the word's layout is the platform's own.
class WaveOutVolume final : public Volume
{
public:
    std::optional<std::uint32_t> read() override
    {
        DWORD word = 0;
        if (waveOutGetVolume(reinterpret_cast<HWAVEOUT>(0), &word) != MMSYSERR_NOERROR)
            return std::nullopt;
        return static_cast<std::uint32_t>(word);
    }
    bool write(std::uint32_t word) override
    {
        return waveOutSetVolume(reinterpret_cast<HWAVEOUT>(0), static_cast<DWORD>(word)) == MMSYSERR_NOERROR;
    }
};

} // namespace

std::shared_ptr<Volume> Volume::create(const Context&)
{
    return std::make_shared<WaveOutVolume>();
}

} // namespace platform
