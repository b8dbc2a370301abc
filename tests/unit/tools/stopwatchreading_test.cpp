#include <gtest/gtest.h>

#include "tools/stopwatchreading.h"

namespace {

struct ReadingCase
{
    qint64 ms;
    const char* text;
};

class StopwatchReading : public testing::TestWithParam<ReadingCase>
{
};

TEST_P(StopwatchReading, HoursMinutesSecondsHundredths)
{
    EXPECT_EQ(stopwatchReading(GetParam().ms).toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, StopwatchReading,
                         testing::Values(ReadingCase{0, "00:00:00:00"}, ReadingCase{9, "00:00:00:00"},
                                         ReadingCase{10, "00:00:00:01"}, ReadingCase{59'990, "00:00:59:99"},
                                         ReadingCase{60'000, "00:01:00:00"}, ReadingCase{60'010, "00:01:00:01"},
                                         ReadingCase{65'420, "00:01:05:42"}, ReadingCase{3'599'990, "00:59:59:99"},
                                         ReadingCase{3'600'000, "01:00:00:00"},
                                         ReadingCase{360'000'000, "100:00:00:00"},
                                         ReadingCase{86'400'000, "24:00:00:00"}));

TEST(StopwatchTiming, MeasuresFromTheStartAndForgetsItAtStop)
{
    StopwatchTiming timing;
    EXPECT_EQ(timing.elapsedMs(5'000), 0);
    timing.start(1'000);
    EXPECT_TRUE(timing.running());
    // However late the display is refreshed, the reading is the clock's.
    EXPECT_EQ(timing.elapsedMs(1'000), 0);
    EXPECT_EQ(timing.elapsedMs(8'230), 7'230);
    timing.stop();
    EXPECT_FALSE(timing.running());
    EXPECT_EQ(timing.elapsedMs(9'000), 0);
    timing.start(10'000);
    EXPECT_EQ(timing.elapsedMs(10'010), 10);
    EXPECT_EQ(timing.elapsedMs(9'000), 0) << "a clock that went back reads as zero";
}

struct LinesCase
{
    const char* text;
    int lines;
};

class ListLines : public testing::TestWithParam<LinesCase>
{
};

TEST_P(ListLines, CountedAsAListBoxCountsThem)
{
    EXPECT_EQ(listLineCount(QString::fromUtf8(GetParam().text)), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Values, ListLines,
                         testing::Values(LinesCase{"", 0}, LinesCase{"a", 1}, LinesCase{"a\n", 1}, LinesCase{"a\nb", 2},
                                         LinesCase{"\n", 1}, LinesCase{"a\n\nb", 3}));

} // namespace
