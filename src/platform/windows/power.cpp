#include "platform/power.h"

#include <windows.h>

namespace platform {
namespace {

// The process needs the shutdown right before ExitWindowsEx will restart or power off; results are not
// looked at, ExitWindowsEx reports nothing useful to the user either.
void enableShutdownRight()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token))
        return;
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    }
    CloseHandle(token);
}

class WindowsPower final : public Power
{
public:
    bool request(PowerAction action) override
    {
        enableShutdownRight();
        UINT flags = EWX_LOGOFF;
        if (action == PowerAction::Restart)
            flags = EWX_REBOOT;
        else if (action == PowerAction::PowerOff)
            flags = EWX_POWEROFF;
        // Never EWX_FORCE: programs with unsaved work may refuse.
        return ExitWindowsEx(flags, 0) != 0;
    }
};

} // namespace

std::shared_ptr<Power> Power::create(const Context&)
{
    return std::make_shared<WindowsPower>();
}

} // namespace platform
