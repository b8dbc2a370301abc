#include <gtest/gtest.h>

#include <QLocale>
#include <cfloat>

#include "common/decimaldigits.h"
#include "common/numberformats.h"
#include "unit/clibrarylocale.h"

namespace {

struct GeneralCase
{
    float value;
    const char* text;
};

class GeneralFormat : public testing::TestWithParam<GeneralCase>
{
};

TEST_P(GeneralFormat, SixSignificantDigits)
{
    EXPECT_EQ(formatGeneral6(GetParam().value, QLatin1Char(',')).toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, GeneralFormat,
                         testing::Values(GeneralCase{0.0f, "0"}, GeneralCase{-0.0f, "0"}, GeneralCase{1.0f, "1"},
                                         GeneralCase{-2.0f, "-2"}, GeneralCase{1.0f / 3, "0,333333"},
                                         GeneralCase{2.0f / 3, "0,666667"}, GeneralCase{1e6f, "1E6"},
                                         GeneralCase{999999.0f, "999999"}, GeneralCase{999999.5f, "1E6"},
                                         GeneralCase{123456789.0f, "1,23457E8"}, GeneralCase{1e-4f, "0,0001"},
                                         GeneralCase{1e-5f, "1E-5"}, GeneralCase{-1e-5f, "-1E-5"},
                                         GeneralCase{0.3f, "0,3"}, GeneralCase{1234.5f, "1234,5"},
                                         GeneralCase{100.0f, "100"}, GeneralCase{0.00123f, "0,00123"},
                                         GeneralCase{1.5e10f, "1,5E10"}, GeneralCase{FLT_MAX, "3,40282E38"},
                                         // An exact tie at the seventh digit rounds up, not to even.
                                         GeneralCase{1234565.0f, "1,23457E6"}, GeneralCase{1234575.0f, "1,23458E6"},
                                         GeneralCase{0.0009765625f, "0,000976563"}, GeneralCase{1e-38f, "1E-38"}));

TEST(GeneralFormatSeparator, UsesTheGivenSeparator)
{
    EXPECT_EQ(formatGeneral6(2.5f, QLatin1Char('.')), QStringLiteral("2.5"));
    EXPECT_EQ(formatGeneral6(1.25e8f, QLatin1Char('.')), QStringLiteral("1.25E8"));
}

struct AmountCase
{
    const char* name;
    long double value;
    int decimals;
    const char* russian;
    const char* c;
};

std::ostream& operator<<(std::ostream& out, const AmountCase& c)
{
    return out << c.name;
}

class AmountFormat : public testing::TestWithParam<AmountCase>
{
};

TEST_P(AmountFormat, GroupedWithFixedDecimals)
{
    const AmountCase& c = GetParam();
    EXPECT_EQ(formatAmount(c.value, c.decimals, QLocale(QStringLiteral("ru_RU"))).toStdString(), c.russian);
    EXPECT_EQ(formatAmount(c.value, c.decimals, QLocale::c()).toStdString(), c.c);
}

// Under Russian conventions the groups are parted by a no-break space.
#define NBSP "\u00A0"

INSTANTIATE_TEST_SUITE_P(
    Values, AmountFormat,
    testing::Values(AmountCase{"Half", 0.5L, 2, "0,50", "0.50"}, AmountCase{"Zero", 0, 2, "0,00", "0.00"},
                    AmountCase{"Groups", 12345.678L, 2, "12" NBSP "345,68", "12,345.68"},
                    AmountCase{"ExactBytes", 250059350016.0L, 2, "250" NBSP "059" NBSP "350" NBSP "016,00",
                               "250,059,350,016.00"},
                    AmountCase{"TieRoundsUp", 0.125L, 2, "0,13", "0.13"},
                    AmountCase{"CarryIntoNewGroup", 999999.995L, 2, "1" NBSP "000" NBSP "000,00", "1,000,000.00"},
                    AmountCase{"Negative", -1234.5L, 2, "-1" NBSP "234,50", "-1,234.50"},
                    AmountCase{"TinyRoundsToZero", 0.004L, 2, "0,00", "0.00"},
                    AmountCase{"PercentHalfUp", 24.5L, 0, "25", "25"},
                    AmountCase{"PercentNoSeparator", 1000.4L, 0, "1" NBSP "000", "1,000"},
                    AmountCase{"LargestByteCount", 9223372036854775807.0L, 2,
                               "9" NBSP "223" NBSP "372" NBSP "036" NBSP "854" NBSP "775" NBSP "807,00",
                               "9,223,372,036,854,775,807.00"}),
    [](const auto& info) { return std::string(info.param.name); });

// The same text whatever locale the C library is in: the program runs with the user's one.
class UnderCLibraryLocale : public testing::TestWithParam<const char*>
{
};

TEST_P(UnderCLibraryLocale, FormatsIgnoreIt)
{
    const CLibraryLocale cLibrary(GetParam());
    EXPECT_EQ(formatGeneral6(1.0f / 3, QLatin1Char(',')), QStringLiteral("0,333333"));
    EXPECT_EQ(formatGeneral6(-2.0f, QLatin1Char(',')), QStringLiteral("-2"));
    EXPECT_EQ(formatGeneral6(1.23456789e8f, QLatin1Char(',')), QStringLiteral("1,23457E8"));
    EXPECT_EQ(formatGeneral6(1e-5f, QLatin1Char(',')), QStringLiteral("1E-5"));
    EXPECT_EQ(formatAmount(7.78L, 2, QLocale(QStringLiteral("ru_RU"))), QStringLiteral("7,78"));
    EXPECT_EQ(formatAmount(252.0L * (1LL << 30) / (1LL << 30), 2, QLocale(QStringLiteral("ru_RU"))),
              QStringLiteral("252,00"));
    EXPECT_EQ(formatAmount(3.4L, 0, QLocale(QStringLiteral("ru_RU"))), QStringLiteral("3"));
    const DecimalDigits third = DecimalDigits::exact(1.0f / 3.0f);
    EXPECT_EQ(third.digits, "3333333432674407958984375");
    EXPECT_EQ(third.exponent, 0);
    const DecimalDigits small = DecimalDigits::exact(0x1p-20L); // 9.5367431640625e-7
    EXPECT_EQ(small.digits, "95367431640625");
    EXPECT_EQ(small.exponent, -6);
    const DecimalDigits large = DecimalDigits::exact(-0x1p70L); // -1180591620717411303424
    EXPECT_EQ(large.digits, "1180591620717411303424");
    EXPECT_EQ(large.exponent, 22);
    EXPECT_TRUE(large.negative);
}

INSTANTIATE_TEST_SUITE_P(Locales, UnderCLibraryLocale, testing::Values("C", "ru_RU.UTF-8"),
                         [](const auto& info) { return std::string(info.param) == "C" ? "C" : "Russian"; });

TEST(DecimalDigits, ExactExpansionOfBinaryValue)
{
    const DecimalDigits third = DecimalDigits::exact(1.0f / 3.0f);
    EXPECT_EQ(third.digits, "3333333432674407958984375");
    EXPECT_EQ(third.exponent, 0);
    EXPECT_TRUE(DecimalDigits::exact(0).isZero());
}

} // namespace
