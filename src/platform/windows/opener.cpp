#include "platform/opener.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace platform {
namespace {

std::wstring widen(const std::string& text)
{
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

class ShellOpener final : public Opener
{
public:
    bool open(const std::string& target) override
    {
        const auto result = reinterpret_cast<INT_PTR>(
            ShellExecuteW(nullptr, L"open", widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        return result > 32;
    }
};

} // namespace

std::shared_ptr<Opener> Opener::create(const Context&)
{
    return std::make_shared<ShellOpener>();
}

} // namespace platform
