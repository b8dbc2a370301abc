// The system's own calls, each made once with a buffer larger than any case needs and nothing around them
// but the conversions to and from UTF-16: the third column, showing that the services answer as the calls do.

#include "platform/inifiles.h"
#include "platform/registry.h"
#include "platform/windows/wide.h"

#include <windows.h>

namespace differential {

namespace {

using platform::Hive;
using platform::detail::narrow;
using platform::detail::widen;

constexpr DWORD kChars = 1u << 20;

std::vector<std::string> splitList(const wchar_t* list)
{
    std::vector<std::string> items;
    while (*list) {
        const std::wstring item(list);
        items.push_back(narrow(item));
        list += item.size() + 1;
    }
    return items;
}

class DirectIniFiles final : public platform::IniFiles
{
public:
    std::vector<std::string> sections(const std::string& file) override
    {
        std::wstring buffer(kChars, L'\0');
        GetPrivateProfileSectionNamesW(buffer.data(), kChars, widen(pathOf(file)).c_str());
        return splitList(buffer.c_str());
    }

    std::vector<std::string> keys(const std::string& file, const std::string& section) override
    {
        std::wstring buffer(kChars, L'\0');
        GetPrivateProfileStringW(widen(section).c_str(), nullptr, L"", buffer.data(), kChars,
                                 widen(pathOf(file)).c_str());
        return splitList(buffer.c_str());
    }

    std::string read(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& fallback) override
    {
        std::wstring buffer(kChars, L'\0');
        const DWORD count =
            GetPrivateProfileStringW(widen(section).c_str(), widen(key).c_str(), widen(fallback).c_str(), buffer.data(),
                                     kChars, widen(pathOf(file)).c_str());
        buffer.resize(count);
        return narrow(buffer);
    }

    // A new file is started in UTF-16, as the service starts it; the ANSI code page would lose the Cyrillic.
    bool write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) override
    {
        const std::wstring path = widen(pathOf(file));
        HANDLE handle =
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(handle, "\xFF\xFE", 2, &written, nullptr);
            CloseHandle(handle);
        }
        return WritePrivateProfileStringW(widen(section).c_str(), widen(key).c_str(), widen(value).c_str(),
                                          path.c_str());
    }

    bool eraseKey(const std::string& file, const std::string& section, const std::string& key) override
    {
        return WritePrivateProfileStringW(widen(section).c_str(), widen(key).c_str(), nullptr,
                                          widen(pathOf(file)).c_str());
    }

    bool eraseSection(const std::string& file, const std::string& section) override
    {
        return WritePrivateProfileStringW(widen(section).c_str(), nullptr, nullptr, widen(pathOf(file)).c_str());
    }

    bool removeFile(const std::string& file) override
    {
        return DeleteFileW(widen(pathOf(file)).c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
    }

    std::string pathOf(const std::string& file) override
    {
        if (file.find_first_of("\\/:") != std::string::npos)
            return file;
        wchar_t directory[MAX_PATH] = {};
        GetWindowsDirectoryW(directory, MAX_PATH);
        return narrow(directory) + "\\" + file;
    }
};

HKEY rootOf(Hive hive)
{
    return hive == Hive::LocalMachine  ? HKEY_LOCAL_MACHINE
           : hive == Hive::ClassesRoot ? HKEY_CLASSES_ROOT
                                       : HKEY_CURRENT_USER;
}

// Paths may start with a backslash, which the calls do not take.
std::wstring keyPath(const std::string& path)
{
    const std::size_t start = path.find_first_not_of('\\');
    return widen(start == std::string::npos ? std::string() : path.substr(start));
}

class DirectRegistry final : public platform::Registry
{
public:
    bool keyExists(Hive hive, const std::string& path) override
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(rootOf(hive), keyPath(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    bool createKey(Hive hive, const std::string& path) override
    {
        HKEY key = nullptr;
        if (RegCreateKeyExW(rootOf(hive), keyPath(path).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    std::optional<std::string> readString(Hive hive, const std::string& path, const std::string& name) override
    {
        std::wstring buffer(kChars, L'\0');
        DWORD bytes = kChars * sizeof(wchar_t);
        if (RegGetValueW(rootOf(hive), keyPath(path).c_str(), widen(name).c_str(),
                         RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, buffer.data(),
                         &bytes) != ERROR_SUCCESS)
            return std::nullopt;
        buffer.resize(bytes / sizeof(wchar_t));
        while (!buffer.empty() && buffer.back() == L'\0')
            buffer.pop_back();
        return narrow(buffer);
    }

    bool writeString(Hive hive, const std::string& path, const std::string& name, const std::string& data) override
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(rootOf(hive), keyPath(path).c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
            return false;
        const std::wstring text = widen(data);
        const LONG result =
            RegSetValueExW(key, widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           DWORD((text.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
    }

    bool deleteValue(Hive hive, const std::string& path, const std::string& name) override
    {
        return RegDeleteKeyValueW(rootOf(hive), keyPath(path).c_str(), widen(name).c_str()) == ERROR_SUCCESS;
    }

    bool valueExists(Hive hive, const std::string& path, const std::string& name) override
    {
        return RegGetValueW(rootOf(hive), keyPath(path).c_str(), widen(name).c_str(), RRF_RT_ANY, nullptr, nullptr,
                            nullptr) == ERROR_SUCCESS;
    }

    std::vector<std::string> valueNames(Hive hive, const std::string& path) override
    {
        return enumerate(hive, path, [](HKEY key, DWORD index, wchar_t* name, DWORD* length) {
            return RegEnumValueW(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
        });
    }

    std::vector<std::string> subkeys(Hive hive, const std::string& path) override
    {
        return enumerate(hive, path, [](HKEY key, DWORD index, wchar_t* name, DWORD* length) {
            return RegEnumKeyExW(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
        });
    }

private:
    template <class Enumerate>
    static std::vector<std::string> enumerate(Hive hive, const std::string& path, Enumerate next)
    {
        std::vector<std::string> names;
        HKEY key = nullptr;
        if (RegOpenKeyExW(rootOf(hive), keyPath(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return names;
        std::wstring name(32768, L'\0');
        for (DWORD index = 0;; ++index) {
            DWORD length = DWORD(name.size());
            if (next(key, index, name.data(), &length) != ERROR_SUCCESS)
                break;
            names.push_back(narrow(std::wstring_view(name.data(), length)));
        }
        RegCloseKey(key);
        return names;
    }
};

} // namespace

std::shared_ptr<platform::IniFiles> makeDirectIniFiles()
{
    return std::make_shared<DirectIniFiles>();
}

std::shared_ptr<platform::Registry> makeDirectRegistry()
{
    return std::make_shared<DirectRegistry>();
}

} // namespace differential
