#include "platform/keyboardleds.h"

#include <windows.h>

namespace platform {
namespace {

class KeybdEventLeds final : public KeyboardLeds
{
public:
    void keyDown(int virtualKey) override { keybd_event(static_cast<BYTE>(virtualKey), 0, 0, 0); }
    void keyUp(int virtualKey) override { keybd_event(static_cast<BYTE>(virtualKey), 0, KEYEVENTF_KEYUP, 0); }
};

} // namespace

std::shared_ptr<KeyboardLeds> KeyboardLeds::create(const Context&)
{
    return std::make_shared<KeybdEventLeds>();
}

} // namespace platform
