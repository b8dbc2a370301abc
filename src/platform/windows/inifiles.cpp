#include "platform/inifiles.h"

#include "platform/windows/wide.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cwchar>
#include <filesystem>
#include <optional>
#include <set>
#include <string_view>
#include <system_error>

namespace platform {

namespace {

using detail::narrow;
using detail::widen;

// Upper case for comparing names the way the profile calls do, without regard to case.
std::wstring upper(std::wstring text)
{
    if (!text.empty())
        CharUpperBuffW(text.data(), DWORD(text.size()));
    return text;
}

// A name list for the caller. A line "=value" gives an empty name, which is no key; a name repeated in another
// case (a second section or key of the same name) is listed once, in its first spelling, as the first one is
// the one the calls read.
std::vector<std::string> splitList(const std::vector<std::wstring>& names)
{
    std::vector<std::string> items;
    std::set<std::wstring> seen;
    for (const std::wstring& name : names)
        if (seen.insert(upper(name)).second)
            items.push_back(narrow(name));
    return items;
}

// Calls a profile function with a growing buffer until the answer fits: the calls report truncation only by
// returning the buffer size less `slack` (1 for a value, 2 for a name list). The answer is what the call
// wrote, without the closing null.
template <class Call> std::wstring withGrowingBuffer(Call call, DWORD slack)
{
    std::wstring buffer(4096, L'\0');
    for (;;) {
        const DWORD size = DWORD(buffer.size());
        const DWORD count = call(buffer.data(), size);
        if (count + slack < size || size >= (1u << 24)) {
            buffer.resize(std::min<std::size_t>(count, buffer.size()));
            return buffer;
        }
        buffer.assign(std::size_t(size) * 2, L'\0');
    }
}

// The names of a "a\0b\0\0" list as the profile calls return them, repeats included, without empty ones.
std::vector<std::wstring> namesOf(const std::wstring& list)
{
    std::vector<std::wstring> names;
    std::size_t start = 0;
    while (start < list.size()) {
        std::size_t end = list.find(L'\0', start);
        if (end == std::wstring::npos)
            end = list.size();
        if (end > start)
            names.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

std::wstring sectionList(const wchar_t* path)
{
    return withGrowingBuffer(
        [&](wchar_t* buffer, DWORD size) { return GetPrivateProfileSectionNamesW(buffer, size, path); }, 2);
}

std::wstring keyList(const wchar_t* path, const std::wstring& section)
{
    return withGrowingBuffer(
        [&](wchar_t* buffer, DWORD size) {
            return GetPrivateProfileStringW(section.c_str(), nullptr, L"", buffer, size, path);
        },
        2);
}

// A value the profile calls can never return (a value ends at its line), telling a missing key from any value.
constexpr const wchar_t* kMissing = L"\n\x01";

std::optional<std::wstring> profileValue(const wchar_t* path, const std::wstring& section, const std::wstring& key)
{
    std::wstring value = withGrowingBuffer(
        [&](wchar_t* buffer, DWORD size) {
            return GetPrivateProfileStringW(section.c_str(), key.c_str(), kMissing, buffer, size, path);
        },
        1);
    if (value == kMissing)
        return std::nullopt;
    return value;
}

bool isAscii(std::wstring_view name)
{
    return std::all_of(name.begin(), name.end(), [](wchar_t c) { return c < 0x80; });
}

std::wstring trimmed(std::wstring_view name)
{
    const std::size_t first = name.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos)
        return {};
    return std::wstring(name.substr(first, name.find_last_not_of(L" \t") - first + 1));
}

// The spelling in the file of a section or key name. Some implementations of the profile calls (Wine's) fold
// the case of ASCII letters only, so a Cyrillic name in another case would not be found or would be written
// a second time; the first name of the list that matches in any case is the one the calls are given.
std::wstring spellingIn(const std::vector<std::wstring>& names, const std::wstring& name)
{
    const std::wstring wanted = upper(trimmed(name));
    for (const std::wstring& candidate : names)
        if (upper(trimmed(candidate)) == wanted)
            return candidate;
    return name;
}

// The whole file, or nothing when it cannot be opened (missing).
std::optional<std::string> readAll(const std::wstring& path)
{
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes;
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(handle, chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(handle);
    return bytes;
}

bool writeAll(const std::wstring& path, const std::string& bytes)
{
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(handle, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                    written == bytes.size() && FlushFileBuffers(handle);
    CloseHandle(handle);
    return ok;
}

bool startsWith(const std::string& bytes, std::string_view mark)
{
    return bytes.compare(0, mark.size(), mark) == 0;
}

constexpr std::string_view kUtf16Mark = "\xFF\xFE";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool isValidUtf8(std::string_view bytes)
{
    return bytes.empty() ||
           MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), nullptr, 0) > 0;
}

// The profile calls read a file without a UTF-16 byte-order mark in the ANSI code page. Our files are UTF-8
// (those written on Linux, and those saved by today's editors), which that would garble: such a file is handed
// to the calls as UTF-16. Plain ASCII and text in the ANSI code page (not valid UTF-8) they read as they are.
bool needsUnicodeCopy(const std::string& bytes)
{
    if (startsWith(bytes, kUtf16Mark))
        return false;
    if (startsWith(bytes, kUtf8Mark))
        return true;
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
    return !ascii && isValidUtf8(bytes);
}

// The file's text as UTF-16 with its byte-order mark, which the profile calls read and keep when they write.
std::string asUnicodeFile(const std::string& bytes)
{
    if (startsWith(bytes, kUtf16Mark))
        return bytes;
    std::string_view text(bytes);
    UINT codePage = CP_ACP;
    if (startsWith(bytes, kUtf8Mark)) {
        text.remove_prefix(kUtf8Mark.size());
        codePage = CP_UTF8;
    } else if (isValidUtf8(text)) {
        codePage = CP_UTF8;
    }
    std::wstring wide;
    if (!text.empty()) {
        const int size = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
        wide.assign(std::size_t(size), L'\0');
        MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), wide.data(), size);
    }
    std::string out(kUtf16Mark);
    for (wchar_t c : wide) {
        out.push_back(char(c & 0xFF));
        out.push_back(char((c >> 8) & 0xFF));
    }
    return out;
}

// One writer of a file at a time, across the program's running copies: a system-wide mutex named after the
// file's full path (without regard to case).
class FileLock final
{
public:
    explicit FileLock(const std::wstring& path)
    {
        std::uint64_t hash = 14695981039346656037ull;
        for (wchar_t c : upper(path))
            hash = (hash ^ std::uint64_t(c)) * 1099511628211ull;
        wchar_t name[64];
        swprintf(name, 64, L"Local\\trombus-ini-%016llx", static_cast<unsigned long long>(hash));
        m_mutex = CreateMutexW(nullptr, FALSE, name);
        if (m_mutex) {
            const DWORD result = WaitForSingleObject(m_mutex, INFINITE);
            m_held = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
        }
    }
    ~FileLock()
    {
        if (m_held)
            ReleaseMutex(m_mutex);
        if (m_mutex)
            CloseHandle(m_mutex);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    HANDLE m_mutex = nullptr;
    bool m_held = false;
};

// A new file name beside `path` that no other write uses.
std::wstring temporaryBeside(const std::wstring& path)
{
    static std::atomic<unsigned> counter{0};
    return path + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) + L".tmp";
}

class WinIniFiles final : public IniFiles
{
public:
    explicit WinIniFiles(std::string configDir) : m_configDir(std::move(configDir)) {}

    std::vector<std::string> sections(const std::string& file) override
    {
        return splitList(reading(file, [&](const wchar_t* path) { return namesOf(sectionList(path)); }));
    }

    std::vector<std::string> keys(const std::string& file, const std::string& section) override
    {
        const std::wstring wideSection = widen(section);
        return splitList(reading(file, [&](const wchar_t* path) {
            std::vector<std::wstring> names = namesOf(keyList(path, wideSection));
            if (names.empty() && !isAscii(wideSection))
                names = namesOf(keyList(path, spellingIn(namesOf(sectionList(path)), wideSection)));
            return names;
        }));
    }

    std::string read(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& fallback) override
    {
        const std::wstring wideSection = widen(section);
        const std::wstring wideKey = widen(key);
        // A line starting with ";" is a comment, whatever it holds.
        if (trimmed(wideKey).starts_with(L';'))
            return fallback;
        const std::optional<std::wstring> value = reading(file, [&](const wchar_t* path) {
            std::optional<std::wstring> found = profileValue(path, wideSection, wideKey);
            if (!found && !(isAscii(wideSection) && isAscii(wideKey))) {
                const std::wstring inFile = spellingIn(namesOf(sectionList(path)), wideSection);
                found = profileValue(path, inFile, spellingIn(namesOf(keyList(path, inFile)), wideKey));
            }
            return found;
        });
        return value ? narrow(*value) : fallback;
    }

    bool write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) override
    {
        const std::wstring wideValue = widen(value);
        return rewriting(file, true, [&](const wchar_t* path) {
            const std::wstring inFile = spelling(path, widen(section));
            return WritePrivateProfileStringW(inFile.c_str(), spelling(path, inFile, widen(key)).c_str(),
                                              wideValue.c_str(), path);
        });
    }

    bool eraseKey(const std::string& file, const std::string& section, const std::string& key) override
    {
        return rewriting(file, false, [&](const wchar_t* path) {
            const std::wstring inFile = spelling(path, widen(section));
            return WritePrivateProfileStringW(inFile.c_str(), spelling(path, inFile, widen(key)).c_str(), nullptr,
                                              path);
        });
    }

    bool eraseSection(const std::string& file, const std::string& section) override
    {
        return rewriting(file, false, [&](const wchar_t* path) {
            return WritePrivateProfileStringW(spelling(path, widen(section)).c_str(), nullptr, nullptr, path);
        });
    }

    // A file that is already gone counts as removed: what the caller wants is that it no longer exists.
    bool removeFile(const std::string& file) override
    {
        const std::wstring path = widen(pathOf(file));
        FileLock lock(path);
        return DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ||
               GetLastError() == ERROR_PATH_NOT_FOUND;
    }

    // A bare name lives in the program's config folder. The profile calls would put it in the Windows directory,
    // which only an administrator may write to on any Windows since Vista: every write of the start list and of
    // the help dictionary would fail there. Without a config folder the Windows directory serves.
    std::string pathOf(const std::string& file) override
    {
        if (file.find_first_of("\\/:") != std::string::npos)
            return file;
        if (!m_configDir.empty())
            return m_configDir + "\\" + file;
        std::wstring directory(MAX_PATH, L'\0');
        const UINT length = GetWindowsDirectoryW(directory.data(), UINT(directory.size()));
        directory.resize(length < directory.size() ? length : 0);
        return narrow(directory) + "\\" + file;
    }

private:
    // A section's spelling in the file (see spellingIn); ASCII names the calls match themselves.
    static std::wstring spelling(const wchar_t* path, const std::wstring& section)
    {
        return isAscii(section) ? section : spellingIn(namesOf(sectionList(path)), section);
    }

    // A key's spelling in a section of the file.
    static std::wstring spelling(const wchar_t* path, const std::wstring& section, const std::wstring& key)
    {
        return isAscii(key) ? key : spellingIn(namesOf(keyList(path, section)), key);
    }

    // Runs a profile read on the file, or on a UTF-16 copy of it when the calls would misread it. The file
    // itself is left as it is.
    template <class Call> auto reading(const std::string& file, Call call) -> decltype(call(L""))
    {
        const std::wstring path = widen(pathOf(file));
        FileLock lock(path);
        const std::optional<std::string> bytes = readAll(path);
        if (!bytes || !needsUnicodeCopy(*bytes))
            return call(path.c_str());
        wchar_t folder[MAX_PATH + 1] = {};
        wchar_t copy[MAX_PATH + 1] = {};
        if (!GetTempPathW(MAX_PATH + 1, folder) || !GetTempFileNameW(folder, L"tro", 0, copy))
            return call(path.c_str());
        auto answer = writeAll(copy, asUnicodeFile(*bytes)) ? call(copy) : call(path.c_str());
        DeleteFileW(copy);
        return answer;
    }

    // Every change is made on a UTF-16 copy of the file beside it, which then replaces the file in one step: a
    // failed or interrupted write leaves the old file whole. `creates` says whether the change makes a missing
    // file; a deletion from a missing file has nothing to do. A file that is there but cannot be read is never
    // replaced by one holding only the new entry.
    template <class Change> bool rewriting(const std::string& file, bool creates, Change change)
    {
        const std::wstring path = widen(pathOf(file));
        FileLock lock(path);
        const std::optional<std::string> bytes = readAll(path);
        if (!bytes) {
            const DWORD error = GetLastError();
            if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
                return false;
            if (!creates)
                return true;
            std::error_code ignored;
            std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
        }
        const std::wstring temporary = temporaryBeside(path);
        const bool done = writeAll(temporary, asUnicodeFile(bytes.value_or(std::string()))) &&
                          change(temporary.c_str()) && replaceFile(temporary, path);
        if (!done)
            DeleteFileW(temporary.c_str());
        return done;
    }

    // Another program (a virus scanner, an indexer) may hold the file open for a moment; the write waits for it
    // a little before it gives up.
    static bool replaceFile(const std::wstring& from, const std::wstring& to)
    {
        for (int attempt = 0;; ++attempt) {
            if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
                return true;
            const DWORD error = GetLastError();
            if (attempt == 20 || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED))
                return false;
            Sleep(50);
        }
    }

    std::string m_configDir;
};

} // namespace

std::shared_ptr<IniFiles> IniFiles::create(const Context& context)
{
    return std::make_shared<WinIniFiles>(context.configDir);
}

} // namespace platform
