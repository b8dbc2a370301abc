#include <gtest/gtest.h>

#include "system/scangag.h"

namespace {

QString shown(int count, const char* word)
{
    return ScanGag::prefix() + QString::number(count) + QString::fromUtf8(word);
}

TEST(ScanGag, FirstScanCountsThirtySecondsWithTheRightWordAndEndsFormatted)
{
    ScanGag gag;
    for (int count = 30; count >= 5; --count) {
        const ScanGag::Tick tick = gag.tick();
        ASSERT_FALSE(tick.finished);
        EXPECT_EQ(tick.text, shown(count, " секунд"));
    }
    for (int count = 4; count >= 2; --count)
        EXPECT_EQ(gag.tick().text, shown(count, " секунды"));
    EXPECT_EQ(gag.tick().text, shown(1, " секунда"));
    // The 31st tick sets the text for 0 and at once replaces it with the final one.
    const ScanGag::Tick last = gag.tick();
    EXPECT_TRUE(last.finished);
    EXPECT_EQ(last.text, QStringLiteral("Все диски успешно Форматированы."));
    EXPECT_EQ(gag.ScanCountdown, -1);
    EXPECT_EQ(gag.ScanUnitWord, QStringLiteral(" секунд"));
}

TEST(ScanGag, SecondScanOfARunEndsAtItsFirstTick)
{
    ScanGag gag;
    while (!gag.tick().finished) {
    }
    const ScanGag::Tick again = gag.tick();
    EXPECT_TRUE(again.finished);
    EXPECT_EQ(again.text, ScanGag::finalText());
    EXPECT_EQ(gag.ScanCountdown, -2);
}

} // namespace
