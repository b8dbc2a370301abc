#pragma once

#include <gtest/gtest.h>

#include "testname.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace contract {

/// A fresh empty folder under the test framework's temporary folder, removed with everything in it at the end.
/// The contract tests use it instead of Qt's so that they build against the platform layer alone.
class TempFolder final
{
public:
    TempFolder()
    {
        for (;;) {
            m_path = std::filesystem::path(::testing::TempDir()) / uniqueTestName("trombus");
            std::error_code error;
            if (std::filesystem::create_directories(m_path, error))
                break;
            if (error)
                throw std::filesystem::filesystem_error("cannot make a temporary folder", m_path, error);
        }
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

} // namespace contract
