#include "platform/sound.h"

#include <windows.h>

namespace platform {
namespace {

class WindowsSound final : public Sound
{
public:
    void errorBeep() override { MessageBeep(MB_ICONHAND); }
};

} // namespace

std::shared_ptr<Sound> Sound::create(const Context&)
{
    return std::make_shared<WindowsSound>();
}

} // namespace platform
