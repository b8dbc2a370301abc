#include "platform/keyboardlayout.h"

#include <windows.h>

namespace platform {
namespace {

class WindowsKeyboardLayout final : public KeyboardLayout
{
public:
    void activate(const std::string& layoutId) override { LoadKeyboardLayoutA(layoutId.c_str(), KLF_ACTIVATE); }
};

} // namespace

std::shared_ptr<KeyboardLayout> KeyboardLayout::create(const Context&)
{
    return std::make_shared<WindowsKeyboardLayout>();
}

} // namespace platform
