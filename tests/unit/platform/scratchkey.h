#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "testname.h"

#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace contract {

/// A key of the current user's hive that only this test uses, "Software\TrombusTest-<test>-<random>". Our
/// file-backed registry is private to its config folder anyway; the Windows registry (also Wine's, kept in the
/// prefix between runs) is shared, so the key and everything under it is removed at the end.
class ScratchKey final
{
public:
    ScratchKey()
    {
        m_path = "Software\\" + uniqueTestName("TrombusTest");
        remove();
    }
    ~ScratchKey() { remove(); }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    /// The key's path relative to the hive.
    const std::string& path() const { return m_path; }

private:
    void remove() const
    {
#ifdef _WIN32
        const std::wstring wide(m_path.begin(), m_path.end()); // the name is plain ASCII
        RegDeleteTreeW(HKEY_CURRENT_USER, wide.c_str());
#endif
    }

    std::string m_path;
};

/// Whether the registry lists a key's values in the order they were first written, as Windows and our
/// file-backed registry do. Wine's registry keeps them sorted by name.
inline bool valuesKeepWriteOrder()
{
#ifdef _WIN32
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return !(ntdll && GetProcAddress(ntdll, "wine_get_version"));
#else
    return true;
#endif
}

/// The value names in write order where the registry keeps it, else the same names in any order.
inline ::testing::Matcher<std::vector<std::string>> inWriteOrder(const std::vector<std::string>& names)
{
    if (valuesKeepWriteOrder())
        return ::testing::ElementsAreArray(names);
    return ::testing::UnorderedElementsAreArray(names);
}

} // namespace contract
