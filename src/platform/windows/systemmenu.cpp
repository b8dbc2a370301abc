#include "platform/systemmenu.h"

#include <windows.h>

#include "platform/windows/wide.h"

namespace platform {
namespace {

class Win32SystemMenu final : public SystemMenu
{
public:
    bool appendItem(std::uintptr_t window, unsigned commandId, const std::string& text) override
    {
        HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(window), FALSE);
        if (!menu)
            return false;
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        return AppendMenuW(menu, MF_STRING, commandId, detail::widen(text).c_str()) != FALSE;
    }

    unsigned systemCommand(std::uintptr_t window, const std::string& eventType, void* message) override
    {
        if (eventType != "windows_generic_MSG" || !message)
            return 0;
        const MSG* msg = static_cast<const MSG*>(message);
        if (msg->message != WM_SYSCOMMAND || msg->hwnd != reinterpret_cast<HWND>(window))
            return 0;
        // The program's own items arrive with their identifier unchanged in wParam.
        return static_cast<unsigned>(msg->wParam);
    }
};

} // namespace

std::shared_ptr<SystemMenu> SystemMenu::create(const Context&)
{
    return std::make_shared<Win32SystemMenu>();
}

} // namespace platform
