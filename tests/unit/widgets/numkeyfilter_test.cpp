#include <gtest/gtest.h>

#include <ostream>

#include "common/errors.h"
#include "widgets/numkeyfilter.h"

namespace {

struct KeyCase
{
    const char* name;
    NumEditRules rules;
    QString text;
    QChar key;
    char separator;
    QChar expectedKey; // null: rejected
    std::optional<QString> expectedText;
};

NumEditRules fields(float max)
{
    return NumEditRules{true, true, 0, max};
}

NumEditRules range(float min, float max, bool isUnsigned = false)
{
    return NumEditRules{true, isUnsigned, min, max};
}

const QChar None;

void PrintTo(const KeyCase& c, std::ostream* os)
{
    *os << c.name;
}

class NumKeyFilterTest : public ::testing::TestWithParam<KeyCase>
{
};

TEST_P(NumKeyFilterTest, FiltersTheKey)
{
    const KeyCase& c = GetParam();
    const NumKeyOutcome outcome = filterNumKey(c.key, c.text, c.rules, QLatin1Char(c.separator));
    EXPECT_EQ(outcome.key, c.expectedKey);
    EXPECT_EQ(outcome.replacementText, c.expectedText);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumKeyFilterTest,
    ::testing::Values(
        KeyCase{"DigitWithinRange", fields(59), "", QLatin1Char('5'), ',', QLatin1Char('5'), std::nullopt},
        KeyCase{"DigitAboveMaxGivesMax", fields(23), "2", QLatin1Char('5'), ',', None, QStringLiteral("23")},
        KeyCase{"WholeSelectionStillAppends", fields(59), "59", QLatin1Char('3'), ',', None, QStringLiteral("59")},
        KeyCase{"CandidateIsTextPlusDigit", fields(59), "0", QLatin1Char('7'), ',', QLatin1Char('7'), std::nullopt},
        KeyCase{"DigitBelowMinGivesMin", range(10, 99), "", QLatin1Char('5'), ',', None, QStringLiteral("10")},
        KeyCase{"NegativeBelowMin", range(-3, 10), "-", QLatin1Char('5'), ',', None, QStringLiteral("-3")},
        KeyCase{"NegativeWithinRange", range(-10, 10), "-", QLatin1Char('5'), ',', QLatin1Char('5'), std::nullopt},
        KeyCase{"FractionCandidate", fields(59), "5,", QLatin1Char('5'), ',', QLatin1Char('5'), std::nullopt},
        KeyCase{"Backspace", fields(23), "2", QChar(8), ',', QChar(8), std::nullopt},
        KeyCase{"DotBecomesComma", fields(59), "5", QLatin1Char('.'), ',', QLatin1Char(','), std::nullopt},
        KeyCase{"CommaBecomesDot", fields(59), "5", QLatin1Char(','), '.', QLatin1Char('.'), std::nullopt},
        KeyCase{"SecondSeparator", fields(59), "5,", QLatin1Char(','), ',', None, std::nullopt},
        KeyCase{"SecondSeparatorAsDot", fields(59), "5,", QLatin1Char('.'), ',', None, std::nullopt},
        KeyCase{"SeparatorWithoutFloat", NumEditRules{false, true, 0, 59}, "5", QLatin1Char('.'), '.', None,
                std::nullopt},
        KeyCase{"MinusIntoEmpty", range(-10, 10), "", QLatin1Char('-'), ',', QLatin1Char('-'), std::nullopt},
        KeyCase{"MinusAfterText", range(-10, 10), "5", QLatin1Char('-'), ',', None, std::nullopt},
        KeyCase{"MinusWithMinZero", range(0, 10), "", QLatin1Char('-'), ',', None, std::nullopt},
        KeyCase{"MinusWhenUnsigned", range(-10, 10, true), "", QLatin1Char('-'), ',', None, std::nullopt},
        KeyCase{"Letter", fields(59), "5", QLatin1Char('a'), ',', None, std::nullopt},
        KeyCase{"Space", fields(59), "5", QLatin1Char(' '), ',', None, std::nullopt},
        KeyCase{"Enter", fields(59), "5", QChar(13), ',', None, std::nullopt},
        KeyCase{"Escape", fields(59), "5", QChar(27), ',', None, std::nullopt},
        KeyCase{"CtrlC", fields(59), "5", QChar(3), ',', None, std::nullopt},
        KeyCase{"CtrlX", fields(59), "5", QChar(24), ',', None, std::nullopt},
        KeyCase{"CtrlV", fields(59), "5", QChar(22), ',', None, std::nullopt},
        KeyCase{"CtrlZ", fields(59), "5", QChar(26), ',', None, std::nullopt}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST(NumKeyFilter, DigitAfterPastedTextIsAConversionError)
{
    try {
        filterNumKey(QLatin1Char('1'), QStringLiteral("abc"), fields(59), QLatin1Char(','));
        FAIL() << "no error";
    } catch (const ConvertError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("'abc1' is not a valid floating point value"));
    }
}

TEST(NumEditValue, ReadsIntegersOnly)
{
    EXPECT_EQ(numEditValue(QString()), 0);
    EXPECT_EQ(numEditValue(QStringLiteral("7")), 7);
    EXPECT_EQ(numEditValue(QStringLiteral("-3")), -3);
    EXPECT_EQ(numEditValue(QStringLiteral("05")), 5);
    EXPECT_THROW(numEditValue(QStringLiteral("5,")), ConvertError);
    EXPECT_THROW(numEditValue(QStringLiteral("1,5")), ConvertError);
}

TEST(NumberText, ShortestFormWithTheSeparator)
{
    EXPECT_EQ(numberText(5, QLatin1Char(',')), QStringLiteral("5"));
    EXPECT_EQ(numberText(23, QLatin1Char(',')), QStringLiteral("23"));
    EXPECT_EQ(numberText(-3, QLatin1Char(',')), QStringLiteral("-3"));
    EXPECT_EQ(numberText(2.5, QLatin1Char(',')), QStringLiteral("2,5"));
    EXPECT_EQ(numberText(2.5, QLatin1Char('.')), QStringLiteral("2.5"));
}

TEST(TextToNumber, AcceptsNumbersAndRefusesTheRest)
{
    EXPECT_DOUBLE_EQ(textToNumber(QStringLiteral("5,5"), QLatin1Char(',')), 5.5);
    EXPECT_DOUBLE_EQ(textToNumber(QStringLiteral(",5"), QLatin1Char(',')), 0.5);
    EXPECT_DOUBLE_EQ(textToNumber(QStringLiteral("-7"), QLatin1Char(',')), -7);
    EXPECT_DOUBLE_EQ(textToNumber(QStringLiteral(" 1e2 "), QLatin1Char('.')), 100);
    for (const char* bad : {"", "-", ",", "5.5", "1,2,3", "1e", "abc1", "5-"})
        EXPECT_THROW(textToNumber(QString::fromLatin1(bad), QLatin1Char(',')), ConvertError) << bad;
}

} // namespace
