#include <gtest/gtest.h>

#include "common/stringlists.h"

namespace {

TEST(StringLists, KeepsOrderEmptyEntriesAndUtf8)
{
    const std::vector<std::string> names{"Trombus", "", "Будильник", "a=b", "Будильник"};
    EXPECT_EQ(toQStringList(names), (QStringList{QStringLiteral("Trombus"), QString(), QStringLiteral("Будильник"),
                                                 QStringLiteral("a=b"), QStringLiteral("Будильник")}));
    EXPECT_TRUE(toQStringList({}).isEmpty());
}

} // namespace
