#pragma once

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace contract {

/// "<prefix>-<suite>-<test>-<random>" with everything but ASCII letters, digits and "-" made "_", so that it is
/// a safe file or key name on every platform and no two tests, nor two runs of one, share it.
inline std::string uniqueTestName(std::string prefix)
{
    if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info())
        prefix += std::string("-") + test->test_suite_name() + "-" + test->name();
    for (char& c : prefix)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'))
            c = '_';
    std::random_device random;
    return prefix + "-" + std::to_string(random());
}

} // namespace contract
