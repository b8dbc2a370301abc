#include "platform/keyboardleds.h"

#include <windows.h>

namespace platform {
namespace {

// Windows lights a lock key's LED only with its lock: a synthesised press and release toggles both, and the show
// presses every key an even number of times, so the locks end as they began.
class KeybdEventLeds final : public KeyboardLeds
{
public:
    void toggleLight(int virtualKey) override
    {
        keybd_event(static_cast<BYTE>(virtualKey), 0, 0, 0);
        keybd_event(static_cast<BYTE>(virtualKey), 0, KEYEVENTF_KEYUP, 0);
    }
    void endShow() override {}
};

} // namespace

std::shared_ptr<KeyboardLeds> KeyboardLeds::create(const Context&)
{
    return std::make_shared<KeybdEventLeds>();
}

} // namespace platform
