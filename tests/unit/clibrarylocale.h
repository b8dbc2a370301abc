#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <string>

// The program's application object calls setlocale(LC_ALL, ""), so under a user's Russian regional settings
// the C library reads and writes numbers with a decimal comma. Tests of number text switch the C library to
// the locale named here for their duration, so that any conversion that follows it shows up.
class CLibraryLocale final
{
public:
    explicit CLibraryLocale(const std::string& name) : m_previous(std::setlocale(LC_ALL, nullptr))
    {
        m_active = std::setlocale(LC_ALL, name.c_str()) != nullptr;
        EXPECT_TRUE(m_active) << "locale " << name << " is not installed (scripts/setup.sh generates ru_RU.UTF-8)";
    }
    ~CLibraryLocale() { std::setlocale(LC_ALL, m_previous.c_str()); }
    CLibraryLocale(const CLibraryLocale&) = delete;
    CLibraryLocale& operator=(const CLibraryLocale&) = delete;

private:
    std::string m_previous;
    bool m_active = false;
};
