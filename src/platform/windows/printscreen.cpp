#include "platform/printscreen.h"

#include <windows.h>

namespace platform {
namespace {

class KeybdEventPrintScreen final : public PrintScreen
{
public:
    void press() override
    {
        keybd_event(VK_SNAPSHOT, 0, 0, 0);
        keybd_event(VK_SNAPSHOT, 0, KEYEVENTF_KEYUP, 0);
    }
};

} // namespace

std::shared_ptr<PrintScreen> PrintScreen::create(const Context&)
{
    return std::make_shared<KeybdEventPrintScreen>();
}

} // namespace platform
