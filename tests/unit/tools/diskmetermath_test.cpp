#include <gtest/gtest.h>

#include <QLocale>

#include "tools/diskmetermath.h"

namespace {

constexpr qint64 GiB = qint64(1) << 30;
const QLocale Russian(QStringLiteral("ru_RU"));

std::string s(const QString& text)
{
    return text.toStdString();
}

TEST(DiskMeterView, HundredGigabyteDriveQuarterFree)
{
    const auto view = diskMeterView(100 * GiB, 25 * GiB, 0, 0, Russian);
    ASSERT_TRUE(view);
    EXPECT_EQ(s(view->freeText), "25,00 Gb");
    EXPECT_EQ(s(view->usedText), "75,00 Gb");
    EXPECT_EQ(s(view->totalText), "100,00 Gb");
    EXPECT_EQ(s(view->percentText), "25%");
    EXPECT_EQ(s(view->quantityHint), "25,00 Gb");
    EXPECT_EQ(view->barMaximum, 100);
    EXPECT_EQ(view->barPosition, 75);
    EXPECT_EQ(s(view->MeterUnit), "Gb");
    EXPECT_EQ(view->MeterDivisor, 1073741824.0f);
}

struct QuantityCase
{
    int quantity;
    const char* hint;
    const char* percent;
};

class DiskMeterQuantity : public testing::TestWithParam<QuantityCase>
{
};

TEST_P(DiskMeterQuantity, HintAndShareFollowTheChosenQuantity)
{
    const auto view = diskMeterView(100 * GiB, 25 * GiB, 0, GetParam().quantity, Russian);
    ASSERT_TRUE(view);
    EXPECT_EQ(s(view->quantityHint), GetParam().hint);
    EXPECT_EQ(s(view->percentText), GetParam().percent);
}

INSTANTIATE_TEST_SUITE_P(Quantities, DiskMeterQuantity,
                         testing::Values(QuantityCase{0, "25,00 Gb", "25%"}, QuantityCase{-1, "25,00 Gb", "25%"},
                                         QuantityCase{1, "75,00 Gb", "75%"}, QuantityCase{2, "100,00 Gb", "100%"}));

struct UnitCase
{
    int unit;
    const char* free;
    const char* word;
};

class DiskMeterUnit : public testing::TestWithParam<UnitCase>
{
};

TEST_P(DiskMeterUnit, AmountsInTheChosenUnit)
{
    const qint64 free = 12345 * qint64(1048576) + 713031; // 12 345,68 Mb
    const auto view = diskMeterView(250059350016, free, GetParam().unit, 0, Russian);
    ASSERT_TRUE(view);
    EXPECT_EQ(s(view->freeText), GetParam().free);
    EXPECT_EQ(s(view->MeterUnit), GetParam().word);
}

INSTANTIATE_TEST_SUITE_P(Units, DiskMeterUnit,
                         testing::Values(UnitCase{0, "12,06 Gb", "Gb"}, UnitCase{-1, "12,06 Gb", "Gb"},
                                         UnitCase{1, "12\u00A0345,68 Mb", "Mb"},
                                         UnitCase{2, "12\u00A0641\u00A0976,32 Kb", "Kb"},
                                         UnitCase{3, "12\u00A0945\u00A0383\u00A0751,00 byte", "byte"}));

TEST(DiskMeterView, BytesAreExactWhileTheHintIsSinglePrecision)
{
    const qint64 total = 250059350016 + 7;
    const auto view = diskMeterView(total, 123456789, 3, 2, Russian);
    ASSERT_TRUE(view);
    EXPECT_EQ(s(view->totalText), "250\u00A0059\u00A0350\u00A0023,00 byte");
    EXPECT_EQ(s(view->usedText), "249\u00A0935\u00A0893\u00A0234,00 byte");
    EXPECT_EQ(s(view->quantityHint), "250\u00A0059\u00A0358\u00A0208,00 byte");
}

TEST(DiskMeterView, BarCountsWholeGigabytesRoundedDownSeparately)
{
    const auto view = diskMeterView(qint64(9.9 * GiB), qint64(9.5 * GiB), 0, 0, Russian);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->barMaximum, 9);
    EXPECT_EQ(view->barPosition, 0);
    const auto small = diskMeterView(512 * 1048576, 100 * 1048576, 1, 0, Russian);
    ASSERT_TRUE(small);
    EXPECT_EQ(small->barMaximum, 0);
    EXPECT_EQ(small->barPosition, 0);
}

TEST(DiskMeterView, NoSizeMeansNoDrive)
{
    EXPECT_FALSE(diskMeterView(-1, -1, 0, 0, Russian));
    EXPECT_FALSE(diskMeterView(0, 0, 0, 0, Russian));
}

TEST(DiskMeterView, CConventions)
{
    const auto view = diskMeterView(100 * GiB, 25 * GiB, 1, 0, QLocale::c());
    ASSERT_TRUE(view);
    EXPECT_EQ(s(view->freeText), "25,600.00 Mb");
}

} // namespace
