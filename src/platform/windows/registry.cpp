#include "platform/registry.h"

#include "platform/windows/wide.h"

#include <windows.h>

#include <algorithm>

namespace platform {

namespace {

using detail::narrow;
using detail::widen;

HKEY rootOf(Hive hive)
{
    switch (hive) {
    case Hive::CurrentUser:
        return HKEY_CURRENT_USER;
    case Hive::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case Hive::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    }
    return HKEY_CURRENT_USER;
}

// TRegistry takes paths with or without a leading backslash; the API wants none.
std::wstring keyPath(const std::string& path)
{
    std::wstring wide = widen(path);
    while (!wide.empty() && wide.front() == L'\\')
        wide.erase(wide.begin());
    return wide;
}

class OpenKey final
{
public:
    OpenKey(Hive hive, const std::string& path, REGSAM access)
    {
        if (RegOpenKeyExW(rootOf(hive), keyPath(path).c_str(), 0, access, &m_key) != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~OpenKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    explicit operator bool() const { return m_key != nullptr; }
    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

class WinRegistry final : public Registry
{
public:
    bool keyExists(Hive hive, const std::string& path) override { return bool(OpenKey(hive, path, KEY_READ)); }

    bool createKey(Hive hive, const std::string& path) override
    {
        // Key names hold printable characters only; the API would take a line break, which nothing can show or
        // export (our file-backed registry on Linux refuses it too).
        if (std::any_of(path.begin(), path.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
            return false;
        HKEY key = nullptr;
        const LONG result = RegCreateKeyExW(rootOf(hive), keyPath(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                            KEY_WRITE, nullptr, &key, nullptr);
        if (result != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    std::optional<std::string> readString(Hive hive, const std::string& path, const std::string& name) override
    {
        OpenKey key(hive, path, KEY_QUERY_VALUE);
        if (!key)
            return std::nullopt;
        const std::wstring wideName = widen(name);
        DWORD type = 0;
        DWORD bytes = 0;
        if (RegQueryValueExW(key.get(), wideName.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::nullopt;
        // The value may grow between the two calls; ask again with the size the second call reports.
        std::wstring data;
        LONG result = ERROR_MORE_DATA;
        while (result == ERROR_MORE_DATA) {
            data.assign(bytes / sizeof(wchar_t) + 1, L'\0');
            bytes = DWORD(data.size() * sizeof(wchar_t));
            result = RegQueryValueExW(key.get(), wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                                      &bytes);
        }
        if (result != ERROR_SUCCESS)
            return std::nullopt;
        data.resize(bytes / sizeof(wchar_t));
        while (!data.empty() && data.back() == L'\0')
            data.pop_back();
        return narrow(data);
    }

    bool writeString(Hive hive, const std::string& path, const std::string& name, const std::string& data) override
    {
        OpenKey key(hive, path, KEY_SET_VALUE);
        if (!key)
            return false;
        const std::wstring wideData = widen(data);
        const DWORD bytes = DWORD((wideData.size() + 1) * sizeof(wchar_t));
        return RegSetValueExW(key.get(), widen(name).c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(wideData.c_str()), bytes) == ERROR_SUCCESS;
    }

    bool deleteValue(Hive hive, const std::string& path, const std::string& name) override
    {
        OpenKey key(hive, path, KEY_SET_VALUE);
        return key && RegDeleteValueW(key.get(), widen(name).c_str()) == ERROR_SUCCESS;
    }

    bool valueExists(Hive hive, const std::string& path, const std::string& name) override
    {
        OpenKey key(hive, path, KEY_QUERY_VALUE);
        return key &&
               RegQueryValueExW(key.get(), widen(name).c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }

    std::vector<std::string> valueNames(Hive hive, const std::string& path) override
    {
        std::vector<std::string> names;
        OpenKey key(hive, path, KEY_QUERY_VALUE);
        if (!key)
            return names;
        // Value names are at most 16383 characters.
        std::wstring name(16384, L'\0');
        for (DWORD index = 0;; ++index) {
            DWORD length = DWORD(name.size());
            const LONG result =
                RegEnumValueW(key.get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
            if (result != ERROR_SUCCESS)
                break;
            names.push_back(narrow(std::wstring_view(name.data(), length)));
        }
        return names;
    }

    std::vector<std::string> subkeys(Hive hive, const std::string& path) override
    {
        std::vector<std::string> names;
        OpenKey key(hive, path, KEY_ENUMERATE_SUB_KEYS);
        if (!key)
            return names;
        // Key names are at most 255 characters.
        std::wstring name(256, L'\0');
        for (DWORD index = 0;; ++index) {
            DWORD length = DWORD(name.size());
            const LONG result =
                RegEnumKeyExW(key.get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
            if (result != ERROR_SUCCESS)
                break;
            names.push_back(narrow(std::wstring_view(name.data(), length)));
        }
        return names;
    }
};

} // namespace

std::shared_ptr<Registry> Registry::create(const Context&)
{
    return std::make_shared<WinRegistry>();
}

} // namespace platform
