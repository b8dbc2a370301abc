#include <gtest/gtest.h>

#include <ostream>

#include "reminders/countdown.h"

void PrintTo(const Hms& t, std::ostream* os)
{
    *os << t.h << ":" << t.m << ":" << t.s;
}

namespace {

constexpr qint64 T0 = 5'000'000;

struct TickCase
{
    const char* name;
    Hms start;
    int ticks;
    Hms shown;
    bool fire;
};

void PrintTo(const TickCase& c, std::ostream* os)
{
    *os << c.name;
}

class CountdownTest : public ::testing::TestWithParam<TickCase>
{
};

TEST_P(CountdownTest, ShowsTheRemainingTime)
{
    const TickCase& c = GetParam();
    Countdown countdown;
    countdown.start(c.start, T0);
    const Countdown::Tick tick = countdown.tick(T0 + qint64(c.ticks) * 1000);
    EXPECT_EQ(tick.fire, c.fire);
    if (!c.fire) {
        EXPECT_EQ(tick.shown, c.shown);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CountdownTest,
                         ::testing::Values(TickCase{"OneSecondFiresAtFirstTick", {0, 0, 1}, 1, {}, true},
                                           TickCase{"MinuteBorrows", {0, 1, 0}, 1, {0, 0, 59}, false},
                                           TickCase{"MinuteLastSecond", {0, 1, 0}, 59, {0, 0, 1}, false},
                                           TickCase{"MinuteFiresAfterSixty", {0, 1, 0}, 60, {}, true},
                                           TickCase{"HourBorrows", {1, 0, 0}, 1, {0, 59, 59}, false},
                                           TickCase{"FiveMinutes", {0, 5, 0}, 1, {0, 4, 59}, false},
                                           TickCase{"HourKeptWhileMinutesRun", {1, 0, 1}, 1, {1, 0, 0}, false},
                                           TickCase{"HourBorrowedAfterSeconds", {1, 0, 1}, 2, {0, 59, 59}, false},
                                           TickCase{
                                               "OversizedMinutesCountDownAsTyped", {0, 70, 0}, 1, {0, 69, 59}, false},
                                           TickCase{"OversizedSeconds", {0, 1, 99}, 1, {0, 1, 98}, false},
                                           TickCase{"NotStartedYet", {0, 0, 42}, 0, {0, 0, 42}, false}),
                         [](const ::testing::TestParamInfo<TickCase>& info) { return std::string(info.param.name); });

// The per-second decrement with borrow that the fields have always shown.
bool stepByBorrow(Hms& t)
{
    t.s -= 1;
    if (t.s == 0 && t.m == 0 && t.h == 0)
        return true;
    if (t.s < 0 && t.m > 0) {
        t.s = 59;
        t.m -= 1;
    }
    if (t.s < 0 && t.m == 0 && t.h > 0) {
        t.s = 59;
        t.m = 59;
        t.h -= 1;
    }
    return false;
}

TEST(Countdown, OnTimeTicksShowWhatTheBorrowShows)
{
    for (int h : {0, 1})
        for (int m : {0, 1, 2, 59, 70})
            for (int s : {0, 1, 59, 61}) {
                const Hms start{h, m, s};
                if (start == Hms{})
                    continue;
                Countdown countdown;
                countdown.start(start, T0);
                Hms expected = start;
                for (int tick = 1;; ++tick) {
                    const bool fires = stepByBorrow(expected);
                    const Countdown::Tick actual = countdown.tick(T0 + qint64(tick) * 1000);
                    ASSERT_EQ(actual.fire, fires) << h << ":" << m << ":" << s << " tick " << tick;
                    if (fires)
                        break;
                    ASSERT_EQ(actual.shown, expected) << h << ":" << m << ":" << s << " tick " << tick;
                }
            }
}

TEST(Countdown, LateTicksDoNotStretchIt)
{
    Countdown countdown;
    countdown.start({0, 0, 10}, T0);
    // The message loop was busy: the first tick comes 7.5 s late, the next one past the deadline.
    EXPECT_EQ(countdown.tick(T0 + 8'500).shown, (Hms{0, 0, 2}));
    EXPECT_TRUE(countdown.tick(T0 + 10'700).fire);
}

TEST(Countdown, SlightlyEarlyOrLateTicksShowTheSameSecond)
{
    Countdown countdown;
    countdown.start({0, 0, 3}, T0);
    EXPECT_EQ(countdown.tick(T0 + 990).shown, (Hms{0, 0, 2}));
    EXPECT_EQ(countdown.tick(T0 + 1'030).shown, (Hms{0, 0, 2}));
    EXPECT_EQ(countdown.tick(T0 + 1'990).shown, (Hms{0, 0, 1}));
    EXPECT_TRUE(countdown.tick(T0 + 2'995).fire);
}

} // namespace
