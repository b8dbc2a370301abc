#include "platform/autostart.h"

#include <windows.h>

#include "platform/windows/wide.h"

namespace platform {
namespace {

constexpr const wchar_t* kRunOnce = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

class RunOnceAutostart final : public Autostart
{
public:
    bool registerOnce(const std::string& name, const std::string& executable) override
    {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunOnce, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return false;
        const std::wstring data = detail::widen(executable);
        const LONG result =
            RegSetValueExW(key, detail::widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                           static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
    }

    bool unregister(const std::string& name) override
    {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunOnce, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return false;
        const LONG result = RegDeleteValueW(key, detail::widen(name).c_str());
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
    }

    bool isRegistered(const std::string& name) override
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunOnce, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
            return false;
        const LONG result = RegQueryValueExW(key, detail::widen(name).c_str(), nullptr, nullptr, nullptr, nullptr);
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
    }

    // The system deletes a run-once value itself when it starts the program.
    void consumeIfStartedByIt() override {}
};

} // namespace

std::shared_ptr<Autostart> Autostart::create(const Context&)
{
    return std::make_shared<RunOnceAutostart>();
}

} // namespace platform
