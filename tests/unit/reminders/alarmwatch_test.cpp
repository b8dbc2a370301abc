#include <gtest/gtest.h>

#include <ostream>

#include <vector>

#include "reminders/alarmwatch.h"

namespace {

const QDate Day(2026, 12, 9);

QDateTime at(int h, int m, int s, int ms = 0, int dayOffset = 0)
{
    return QDateTime(Day.addDays(dayOffset), QTime(h, m, s, ms));
}

struct AlarmCase
{
    const char* name;
    int hour, minute, second;
    QDateTime armedAt;
    std::vector<QDateTime> ticks;
    int firesAtTick; // index into ticks, -1 for never
};

void PrintTo(const AlarmCase& c, std::ostream* os)
{
    *os << c.name;
}

class AlarmWatchTest : public ::testing::TestWithParam<AlarmCase>
{
};

TEST_P(AlarmWatchTest, FiresOnceWhenTheTimeIsReached)
{
    const AlarmCase& c = GetParam();
    AlarmWatch watch;
    watch.arm(c.hour, c.minute, c.second, c.armedAt);
    int fired = -1;
    for (int i = 0; i < int(c.ticks.size()); ++i) {
        if (watch.tick(c.ticks[i])) {
            EXPECT_EQ(fired, -1) << "fired twice, again at tick " << i;
            fired = i;
        }
    }
    EXPECT_EQ(fired, c.firesAtTick);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AlarmWatchTest,
    ::testing::Values(
        AlarmCase{
            "AtTheSecond", 7, 30, 0, at(7, 29, 58, 400), {at(7, 29, 59, 400), at(7, 30, 0, 400), at(7, 30, 1, 400)}, 1},
        AlarmCase{"NotAfterItsSecond", 7, 30, 0, at(7, 30, 1, 100), {at(7, 30, 2, 100), at(7, 30, 3, 100)}, -1},
        AlarmCase{"ArmedWithinItsSecondWaitsADay",
                  7,
                  30,
                  0,
                  at(7, 30, 0, 300),
                  {at(7, 30, 1, 300), at(7, 29, 59, 0, 1), at(7, 30, 0, 0, 1)},
                  2},
        AlarmCase{"LateTickSkipsTheSecond", 7, 30, 0, at(7, 29, 58), {at(7, 29, 59), at(7, 30, 1), at(7, 30, 2)}, 1},
        AlarmCase{"AcrossMidnight", 0, 0, 0, at(23, 59, 58), {at(23, 59, 59), at(0, 0, 1, 0, 1), at(0, 0, 2, 0, 1)}, 1},
        AlarmCase{"LongSleepFiresOnce", 7, 30, 0, at(7, 0, 0), {at(7, 0, 1, 0, 2), at(7, 0, 2, 0, 2)}, 0},
        AlarmCase{"ClockSetBackPassesNothing", 7, 30, 0, at(8, 0, 0), {at(7, 0, 0), at(7, 0, 1), at(7, 30, 0)}, 2},
        AlarmCase{"TwoTicksInOneSecond", 7, 30, 0, at(7, 29, 59, 100), {at(7, 29, 59, 900), at(7, 30, 0, 100)}, 1},
        AlarmCase{"FieldOutOfRangeNeverFires", 7, 70, 0, at(7, 0, 0), {at(8, 10, 0), at(8, 10, 1, 0, 1)}, -1}),
    [](const ::testing::TestParamInfo<AlarmCase>& info) { return std::string(info.param.name); });

} // namespace
