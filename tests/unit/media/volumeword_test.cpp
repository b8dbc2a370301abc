#include <gtest/gtest.h>

#include "media/volumeword.h"

using namespace volumeword;

namespace {

struct LevelRow
{
    int position;
    quint16 level;
};

class SliderLevel : public testing::TestWithParam<LevelRow>
{
};

TEST_P(SliderLevel, IsThePositionsLowSixteenBits)
{
    EXPECT_EQ(levelOfPosition(GetParam().position), GetParam().level);
}

INSTANTIATE_TEST_SUITE_P(Rows, SliderLevel,
                         testing::Values(LevelRow{-65535, 1}, LevelRow{-32768, 32768}, LevelRow{-1, 0xFFFF},
                                         LevelRow{-61439, 0x1001}, LevelRow{-49151, 0x4001}, LevelRow{0, 0}));

TEST(VolumeWord, ChannelsSitInTheirHalves)
{
    const quint32 word = 0x7000'1000u;
    EXPECT_EQ(left(word), 0x1000);
    EXPECT_EQ(right(word), 0x7000);
    EXPECT_EQ(withLeft(word, 0xABCD), 0x7000'ABCDu);
    EXPECT_EQ(withRight(word, 0xABCD), 0xABCD'1000u);
}

TEST(VolumeWord, ALevelReadIntoASliderAndWrittenBackGrowsByOne)
{
    EXPECT_EQ(positionOfLevel(0x1000), -61439);
    EXPECT_EQ(levelOfPosition(positionOfLevel(0x1000)), 0x1001);
    EXPECT_EQ(positionOfLevel(0x4000), -49151);
    // Full volume reads as position 0, which the slider never keeps: it moves to -1, full again.
    EXPECT_EQ(positionOfLevel(0xFFFF), 0);
    EXPECT_EQ(levelOfPosition(TopPosition), 0xFFFF);
}

struct VolumeRow
{
    const char* name;
    quint32 word;
    int balance;
    quint16 level;
    quint32 expected;
};

class VolumeSlider : public testing::TestWithParam<VolumeRow>
{
};

TEST_P(VolumeSlider, SetsTheChannelsTheBalanceLeavesOpen)
{
    const VolumeRow row = GetParam();
    EXPECT_EQ(withVolume(row.word, row.balance, row.level), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, VolumeSlider,
                         testing::Values(VolumeRow{"both", 0x7000'1000u, Both, 0x1001, 0x1001'1001u},
                                         VolumeRow{"leftOnly", 0x0000'8000u, LeftOnly, 0x2222, 0x0000'2222u},
                                         VolumeRow{"rightOnly", 0x2000'0000u, RightOnly, 0x3333, 0x3333'0000u},
                                         VolumeRow{"topEnd", 0u, Both, 0xFFFF, 0xFFFF'FFFFu},
                                         VolumeRow{"bottomEnd", 0xFFFF'FFFFu, Both, 1, 0x0001'0001u}),
                         [](const testing::TestParamInfo<VolumeRow>& info) { return info.param.name; });

TEST(BalanceSwitch, OneSideSilencesTheOtherAndTheMiddleTakesTheLouder)
{
    quint32 word = 0x4000'8000u;
    word = withBalance(word, LeftOnly);
    EXPECT_EQ(word, 0x0000'8000u);
    word = withBalance(word, Both);
    EXPECT_EQ(word, 0x8000'8000u);

    word = 0x2000'1000u;
    word = withBalance(word, RightOnly);
    EXPECT_EQ(word, 0x2000'0000u);
    word = withBalance(word, Both);
    EXPECT_EQ(word, 0x2000'2000u);
}

TEST(BalanceSwitch, LouderIsComparedUnsigned)
{
    EXPECT_EQ(withBalance(0x7FFF'8000u, Both), 0x8000'8000u);
    EXPECT_EQ(withBalance(0xFFFF'0001u, Both), 0xFFFF'FFFFu);
}

} // namespace
