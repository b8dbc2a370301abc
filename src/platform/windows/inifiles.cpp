#include "platform/inifiles.h"

#include "platform/windows/wide.h"

#include <windows.h>

namespace platform {

namespace {

using detail::narrow;
using detail::widen;

// Splits the "a\0b\0\0" lists the profile calls return.
std::vector<std::string> splitList(const std::wstring& list)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start < list.size() && list[start] != L'\0') {
        const std::size_t end = list.find(L'\0', start);
        items.push_back(narrow(std::wstring_view(list).substr(start, end - start)));
        start = end + 1;
    }
    return items;
}

// Calls a profile function with a growing buffer until the answer fits: the calls report truncation only by
// returning the buffer size less `slack` (1 for a value, 2 for a name list).
template <class Call> std::wstring withGrowingBuffer(Call call, DWORD slack)
{
    std::wstring buffer(4096, L'\0');
    for (;;) {
        const DWORD size = DWORD(buffer.size());
        const DWORD count = call(buffer.data(), size);
        if (count + slack < size || size >= (1u << 24)) {
            buffer.resize(count + 1);
            return buffer;
        }
        buffer.assign(std::size_t(size) * 2, L'\0');
    }
}

class WinIniFiles final : public IniFiles
{
public:
    std::vector<std::string> sections(const std::string& file) override
    {
        const std::wstring path = widen(pathOf(file));
        return splitList(withGrowingBuffer(
            [&](wchar_t* buffer, DWORD size) { return GetPrivateProfileSectionNamesW(buffer, size, path.c_str()); },
            2));
    }

    std::vector<std::string> keys(const std::string& file, const std::string& section) override
    {
        const std::wstring path = widen(pathOf(file));
        const std::wstring wideSection = widen(section);
        return splitList(withGrowingBuffer(
            [&](wchar_t* buffer, DWORD size) {
                return GetPrivateProfileStringW(wideSection.c_str(), nullptr, L"", buffer, size, path.c_str());
            },
            2));
    }

    std::string read(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& fallback) override
    {
        const std::wstring path = widen(pathOf(file));
        const std::wstring wideSection = widen(section);
        const std::wstring wideKey = widen(key);
        const std::wstring wideFallback = widen(fallback);
        std::wstring value = withGrowingBuffer(
            [&](wchar_t* buffer, DWORD size) {
                return GetPrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), wideFallback.c_str(), buffer,
                                                size, path.c_str());
            },
            1);
        value.resize(value.find(L'\0'));
        return narrow(value);
    }

    bool write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) override
    {
        const std::wstring path = widen(pathOf(file));
        createAsUnicode(path);
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

    // A file that is already gone counts as removed: what the caller wants is that it no longer exists.
    bool removeFile(const std::string& file) override
    {
        const std::wstring path = widen(pathOf(file));
        return DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
    }

    // A bare name lives in the Windows directory, where the profile calls would put it themselves.
    std::string pathOf(const std::string& file) override
    {
        if (file.find_first_of("\\/:") != std::string::npos)
            return file;
        std::wstring directory(MAX_PATH, L'\0');
        const UINT length = GetWindowsDirectoryW(directory.data(), UINT(directory.size()));
        directory.resize(length < directory.size() ? length : 0);
        return narrow(directory) + "\\" + file;
    }

private:
    // The profile calls write a new file in the ANSI code page, losing what it cannot hold; a file that starts
    // with a UTF-16 byte-order mark they keep in UTF-16.
    static void createAsUnicode(const std::wstring& path)
    {
        HANDLE handle =
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return;
        const unsigned char mark[2] = {0xFF, 0xFE};
        DWORD written = 0;
        WriteFile(handle, mark, sizeof mark, &written, nullptr);
        CloseHandle(handle);
    }
};

} // namespace

std::shared_ptr<IniFiles> IniFiles::create(const Context&)
{
    return std::make_shared<WinIniFiles>();
}

} // namespace platform
