#include "platform/tone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

using platform::sineTone;

// Rising zero crossings over the whole tone: one per period.
int risingCrossings(const std::vector<std::int16_t>& samples)
{
    int crossings = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        if (samples[i - 1] < 0 && samples[i] >= 0)
            ++crossings;
    }
    return crossings;
}

struct ToneRow
{
    int frequency;
    int durationMs;
};

class Tone : public ::testing::TestWithParam<ToneRow>
{
};

TEST_P(Tone, HasItsLengthAndPitch)
{
    const ToneRow row = GetParam();
    const auto samples = sineTone(row.frequency, row.durationMs, 44100);
    EXPECT_EQ(samples.size(), std::size_t(44100 * row.durationMs / 1000));
    const int periods = row.frequency * row.durationMs / 1000;
    EXPECT_NEAR(risingCrossings(samples), periods, 1);
}

INSTANTIATE_TEST_SUITE_P(Notes, Tone,
                         ::testing::Values(ToneRow{523, 200}, ToneRow{880, 200}, ToneRow{987, 100}, ToneRow{37, 1000},
                                           ToneRow{15000, 50}));

TEST(Tone, StartsAndEndsQuietly)
{
    const auto samples = sineTone(880, 200, 44100);
    ASSERT_FALSE(samples.empty());
    const auto loudest = std::max_element(samples.begin(), samples.end());
    EXPECT_GT(*loudest, 8000);
    EXPECT_LT(*loudest, 32767);
    EXPECT_EQ(samples.front(), 0);
    EXPECT_LE(std::abs(samples.back()), 10);
    // The first millisecond is well under full loudness.
    for (std::size_t i = 0; i < 44; ++i)
        EXPECT_LT(std::abs(samples[i]), *loudest / 4) << i;
}

TEST(Tone, FrequenciesTheBeeperRefusesAreSilence)
{
    for (int frequency : {0, 36, 32768, -5, 22050}) {
        const auto samples = sineTone(frequency, 100, 44100);
        EXPECT_EQ(samples.size(), 4410u) << frequency;
        EXPECT_TRUE(std::all_of(samples.begin(), samples.end(), [](std::int16_t s) { return s == 0; })) << frequency;
    }
    EXPECT_TRUE(sineTone(880, 0, 44100).empty());
    EXPECT_TRUE(sineTone(880, -200, 44100).empty());
}

TEST(WaveFile, HeaderDescribesSixteenBitMonoPcm)
{
    const std::vector<std::int16_t> samples{0, 1, -1, 0x1234};
    const auto bytes = platform::waveFile(samples, 8000);
    ASSERT_EQ(bytes.size(), 44u + 8u);
    const auto text = [&](std::size_t at) {
        return std::string(bytes.begin() + long(at), bytes.begin() + long(at) + 4);
    };
    const auto number = [&](std::size_t at, int size) {
        std::uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = (value << 8) | bytes[at + std::size_t(i)];
        return value;
    };
    EXPECT_EQ(text(0), "RIFF");
    EXPECT_EQ(number(4, 4), 44u + 8u - 8u);
    EXPECT_EQ(text(8), "WAVE");
    EXPECT_EQ(text(12), "fmt ");
    EXPECT_EQ(number(20, 2), 1u);    // PCM
    EXPECT_EQ(number(22, 2), 1u);    // mono
    EXPECT_EQ(number(24, 4), 8000u); // sample rate
    EXPECT_EQ(number(28, 4), 16000u);
    EXPECT_EQ(number(32, 2), 2u);
    EXPECT_EQ(number(34, 2), 16u);
    EXPECT_EQ(text(36), "data");
    EXPECT_EQ(number(40, 4), 8u);
    EXPECT_EQ(number(44, 2), 0u);
    EXPECT_EQ(number(46, 2), 1u);
    EXPECT_EQ(number(48, 2), 0xFFFFu);
    EXPECT_EQ(number(50, 2), 0x1234u);
}

} // namespace
