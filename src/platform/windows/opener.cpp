#include "platform/opener.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/windows/wide.h"

namespace platform {
namespace {

// The shell's "open" verb takes the whole text as one file name; it finds programs itself (the search path,
// the App Paths list that knows "regedit", "msconfig" and the rest) and hands files and URLs to their handlers.
class ShellOpener final : public Opener
{
public:
    bool open(const std::string& target) override
    {
        // An empty name names nothing to start, whatever the shell would make of it.
        if (target.empty() || target.find('\0') != std::string::npos)
            return false;
        const std::wstring file = detail::widen(target);
        const auto result =
            reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_RESTORE));
        return result > 32;
    }
};

} // namespace

std::shared_ptr<Opener> Opener::create(const Context&)
{
    return std::make_shared<ShellOpener>();
}

} // namespace platform
