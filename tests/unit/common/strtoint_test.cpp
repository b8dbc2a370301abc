#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/strtoint.h"

namespace {

struct Case
{
    const char* name;
    const char* text;
    std::optional<qint32> expected;
};

class StrToIntRule : public testing::TestWithParam<Case>
{
};

TEST_P(StrToIntRule, ConvertsOrRefuses)
{
    const Case& c = GetParam();
    EXPECT_EQ(tryStrToInt(QString::fromUtf8(c.text)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StrToIntRule,
    testing::Values(Case{"plain", "42", 42}, Case{"leadingBlanks", "   7", 7}, Case{"minus", "-15", -15},
                    Case{"plus", "+15", 15}, Case{"blankAfterSign", "- 5", std::nullopt}, Case{"dollarHex", "$1F", 31},
                    Case{"xHex", "x10", 16}, Case{"zeroXHex", "0x1a", 26}, Case{"zeroBigXHex", "0XFF", 255},
                    Case{"negativeHex", "-$10", -16}, Case{"fullPatternHex", "$FFFFFFFF", -1},
                    Case{"hexTooWide", "$100000000", std::nullopt}, Case{"maximum", "2147483647", 2147483647},
                    Case{"overflow", "2147483648", std::nullopt},
                    Case{"minimum", "-2147483648", std::numeric_limits<qint32>::min()},
                    Case{"underflow", "-2147483649", std::nullopt}, Case{"trailingBlank", "12 ", std::nullopt},
                    Case{"empty", "", std::nullopt}, Case{"onlyBlanks", "   ", std::nullopt},
                    Case{"onlySign", "-", std::nullopt}, Case{"onlyPrefix", "$", std::nullopt},
                    Case{"hexDigitsWithoutPrefix", "1F", std::nullopt}, Case{"fraction", "1,5", std::nullopt},
                    Case{"cyrillic", "сто", std::nullopt}, Case{"leadingZeros", "007", 7},
                    Case{"tabIsNotABlank", "\t5", std::nullopt}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(StrToInt, FailureNamesTheTextInTheMessage)
{
    try {
        StrToInt(QStringLiteral("12a"));
        FAIL() << "no error raised";
    } catch (const ConvertError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("'12a' is not a valid integer value"));
    }
}

TEST(TwoDigits, PadsOnlyBelowTen)
{
    EXPECT_EQ(TwoDigits(0), QStringLiteral("00"));
    EXPECT_EQ(TwoDigits(7), QStringLiteral("07"));
    EXPECT_EQ(TwoDigits(9), QStringLiteral("09"));
    EXPECT_EQ(TwoDigits(10), QStringLiteral("10"));
    EXPECT_EQ(TwoDigits(123), QStringLiteral("123"));
}

} // namespace
