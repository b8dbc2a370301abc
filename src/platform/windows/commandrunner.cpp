#include "platform/commandrunner.h"

#include <windows.h>

#include <vector>

#include "platform/windows/wide.h"

namespace platform {
namespace {

// WinExec's own way, through CreateProcess: the command line goes to the program as given, which splits it.
class WindowsCommandRunner final : public CommandRunner
{
public:
    bool run(const std::string& commandLine) override
    {
        if (commandLine.empty() || commandLine.find('\0') != std::string::npos)
            return false;
        std::wstring text = detail::widen(commandLine);
        std::vector<wchar_t> buffer(text.begin(), text.end());
        buffer.push_back(L'\0');
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            return false;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }
};

} // namespace

std::shared_ptr<CommandRunner> CommandRunner::create(const Context&)
{
    return std::make_shared<WindowsCommandRunner>();
}

} // namespace platform
