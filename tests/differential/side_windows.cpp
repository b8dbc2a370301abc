#include "side.h"

#include "platform/windows/wide.h"
#include "text.h"

#include <windows.h>

#include <stdexcept>

namespace differential {

std::shared_ptr<platform::IniFiles> makeDirectIniFiles();
std::shared_ptr<platform::Registry> makeDirectRegistry();

namespace {

// Under Wine the current user's hive is the prefix's own and outlives the run: every run keeps to a key of
// its own, removed at the end.
std::string runKey()
{
    return "Software\\Trombus differential " + std::to_string(GetCurrentProcessId());
}

} // namespace

std::shared_ptr<platform::IniFiles> makeIniFiles(Implementation implementation, const std::string& configDir)
{
    if (implementation == Implementation::Direct)
        return makeDirectIniFiles();
    return platform::IniFiles::create({configDir, {}});
}

std::shared_ptr<platform::Registry> makeRegistry(Implementation implementation, const std::string& configDir)
{
    if (implementation == Implementation::Direct)
        return makeDirectRegistry();
    return platform::Registry::create({configDir, {}});
}

std::string inOwnEncoding(std::string_view utf8)
{
    return toUtf16LeWithMark(utf8);
}

std::string registryRoot(const std::string& caseName)
{
    return runKey() + "\\" + caseName;
}

bool putNonString(const std::string&, const std::string& keyPath, const std::string& name, NonString kind)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, platform::detail::widen(keyPath).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    LONG result = ERROR_SUCCESS;
    const std::wstring wideName = platform::detail::widen(name);
    if (kind == NonString::Number) {
        const DWORD number = 42;
        result =
            RegSetValueExW(key, wideName.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    } else {
        const std::wstring text = L"%TEMP%\\x";
        result = RegSetValueExW(key, wideName.c_str(), 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                DWORD((text.size() + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

void removeRegistryRoots()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, platform::detail::widen(runKey()).c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, platform::detail::widen(runKey()).c_str());
}

} // namespace differential
