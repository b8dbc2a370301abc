#include "platform/systeminfo.h"

#include "platform/windows/wide.h"

#include <windows.h>

namespace platform {

namespace {

using detail::fromAnsi;

class WinSystemInfo final : public SystemInfo
{
public:
    // The buffer sizes are those the program has always passed; a longer name is reported as not obtainable.
    std::optional<std::string> userName() override
    {
        char buffer[28] = {};
        DWORD size = sizeof buffer;
        if (!GetUserNameA(buffer, &size))
            return std::nullopt;
        return fromAnsi(buffer);
    }

    std::optional<std::string> computerName() override
    {
        char buffer[16] = {};
        DWORD size = sizeof buffer;
        if (!GetComputerNameA(buffer, &size))
            return std::nullopt;
        return fromAnsi(buffer);
    }

    std::string systemDirectory() override
    {
        char buffer[MAX_PATH] = {};
        const UINT length = GetSystemDirectoryA(buffer, sizeof buffer);
        return length && length < sizeof buffer ? fromAnsi(buffer) : std::string();
    }

    std::string windowsDirectory() override
    {
        char buffer[MAX_PATH] = {};
        const UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
        return length && length < sizeof buffer ? fromAnsi(buffer) : std::string();
    }

    ScreenSize monitorSizeAt(int x, int y) override
    {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (!GetMonitorInfoW(MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONEAREST), &info))
            return {};
        return {int(info.rcMonitor.right - info.rcMonitor.left), int(info.rcMonitor.bottom - info.rcMonitor.top)};
    }
};

} // namespace

std::shared_ptr<SystemInfo> SystemInfo::create(const Context&)
{
    return std::make_shared<WinSystemInfo>();
}

} // namespace platform
