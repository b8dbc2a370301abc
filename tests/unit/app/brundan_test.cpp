#include <gtest/gtest.h>

#include <QSet>
#include <QStringList>

#include "app/brundan.h"

namespace {

QStringList frames(const QString& text, int mode, int count, int span = -1)
{
    TBrundan animator;
    animator.Text = text;
    animator.Mode = mode;
    animator.Pos = 1;
    animator.Span = span;
    QStringList result;
    for (int i = 0; i < count; ++i)
        result << NextFrame(animator);
    return result;
}

struct FrameCase
{
    const char* name;
    const char* text;
    int mode;
    std::vector<const char*> expected;
};

class NextFrameTest : public testing::TestWithParam<FrameCase>
{
};

TEST_P(NextFrameTest, ProducesTheFrameSequence)
{
    const FrameCase& c = GetParam();
    QStringList expected;
    for (const char* frame : c.expected)
        expected << QString::fromUtf8(frame);
    EXPECT_EQ(frames(QString::fromUtf8(c.text), c.mode, int(expected.size())), expected);
}

INSTANTIATE_TEST_SUITE_P(
    EveryMode, NextFrameTest,
    testing::Values(
        FrameCase{"RotateLeft", "abcde", 0, {"abcde", "bcdea", "cdeab", "deabc", "eabcd", "abcde", "bcdea"}},
        FrameCase{"RotateRight", "abcde", 1, {"abcde", "eabcd", "deabc", "cdeab", "bcdea", "abcde", "eabcd"}},
        FrameCase{"GrowOdd", "abcde", 2, {"", "c", "bcd", "abcde", "c", "bcd", "abcde"}},
        FrameCase{"GrowEven", "abcdef", 2, {"", "c", "bcd", "abcde", "cd", "bcde", "abcdef", "cd", "bcde", "abcdef"}},
        FrameCase{"EndsInOdd", "abcde", 3, {"ae", "abde", "abcde", "ae", "abde"}},
        FrameCase{"EndsInEven", "abcdef", 3, {"af", "abef", "abcdef", "af"}},
        FrameCase{"OneByOne", "abcde", 4, {"a", "b", "c", "d", "e", "", "a"}},
        FrameCase{"OneByOneBackwards", "abcde", 5, {"", "e", "d", "c", "b", "a", "", "e"}},
        FrameCase{"TypedIn", "abcde", 6, {"", "a", "ab", "abc", "abcd", "abcde", "a", "ab"}},
        FrameCase{"SlidesIn", "abcde", 7, {"", "e", "de", "cde", "bcde", "abcde", "e", "de"}},
        FrameCase{"UnknownModeShowsAll", "abcde", 8, {"abcde", "abcde", "abcde"}},
        FrameCase{"NegativeModeShowsAll", "abcde", -1, {"abcde", "abcde"}}),
    [](const testing::TestParamInfo<FrameCase>& info) { return std::string(info.param.name); });

class EmptyTextTest : public testing::TestWithParam<int>
{
};

TEST_P(EmptyTextTest, GivesEmptyFramesAndStillAdvances)
{
    TBrundan animator;
    animator.Mode = GetParam();
    animator.Span = -1;
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(NextFrame(animator), QString()) << "frame " << i;
}

INSTANTIATE_TEST_SUITE_P(EveryMode, EmptyTextTest, testing::Range(0, 9));

TEST(NextFrame, UnknownModeStillAdvancesPositionAndSpan)
{
    TBrundan animator;
    animator.Text = QStringLiteral("abc");
    animator.Mode = 42;
    animator.Pos = 1;
    animator.Span = 0;
    NextFrame(animator);
    NextFrame(animator);
    EXPECT_EQ(animator.Pos, 3);
    EXPECT_EQ(animator.Span, 4);
}

TEST(NextFrame, ExitButtonCyclesThroughSixFrames)
{
    const QString text = QStringLiteral("|> Выход <|");
    const QStringList cycle = frames(text, 3, 18);
    const QStringList expected{QStringLiteral("||"),       QStringLiteral("|><|"),       QStringLiteral("|>  <|"),
                               QStringLiteral("|> Вд <|"), QStringLiteral("|> Выод <|"), text};
    EXPECT_EQ(cycle.mid(0, 6), expected);
    EXPECT_EQ(cycle.mid(6, 6), expected);
    EXPECT_EQ(cycle.mid(12, 6), expected);
}

TEST(NextFrame, CaptionRepeatsEvery102Frames)
{
    const QString text = QStringLiteral("-=/Тромбус\\=-") + QString(89, QLatin1Char(' '));
    ASSERT_EQ(text.size(), 102);
    TBrundan animator;
    animator.Text = text;
    animator.Mode = 1;
    animator.Pos = 1;
    QStringList seen;
    for (int i = 0; i < 102 * 3; ++i)
        seen << NextFrame(animator);
    EXPECT_EQ(seen[0], text);
    EXPECT_EQ(seen[1], QLatin1Char(' ') + text.left(101));
    for (int i = 0; i + 102 < seen.size(); ++i)
        ASSERT_EQ(seen[i], seen[i + 102]) << "frame " << i;
    // No shorter period: every frame of one cycle is a different rotation.
    EXPECT_EQ(QSet<QString>(seen.begin(), seen.begin() + 102).size(), 102);
}

TEST(Sub, FollowsThePascalRule)
{
    const QString s = QStringLiteral("abcde");
    EXPECT_EQ(Sub(s, 2, 3), QStringLiteral("bcd"));
    EXPECT_EQ(Sub(s, 0, 2), QStringLiteral("ab"));
    EXPECT_EQ(Sub(s, -5, 2), QStringLiteral("ab"));
    EXPECT_EQ(Sub(s, 4, 10), QStringLiteral("de"));
    EXPECT_EQ(Sub(s, 6, 1), QString());
    EXPECT_EQ(Sub(s, 1, 0), QString());
    EXPECT_EQ(Sub(s, 1, -1), QString());
}

TEST(RunningLine, PositionsOneToTwentyThreeRecurWithTwentyFourCharacters)
{
    const QString line = QStringLiteral("Брунд Супер программист  ");
    ASSERT_EQ(line.size(), 25);
    qint32 pos = 1;
    QList<qint32> positions;
    for (int i = 0; i < 23 * 3; ++i) {
        positions << pos;
        const qint32 k = pos;
        const QString frame = NextRunningLineFrame(line, pos);
        ASSERT_EQ(frame.size(), 24) << "at position " << k;
        // The text from position k up to the next-to-last character, then the beginning.
        ASSERT_EQ(frame, line.mid(k - 1, 25 - k) + line.left(k - 1)) << "at position " << k;
    }
    for (int i = 0; i < positions.size(); ++i)
        ASSERT_EQ(positions[i], i % 23 + 1);
    EXPECT_EQ(NextRunningLineFrame(line, pos = 1), QStringLiteral("Брунд Супер программист "));
}

} // namespace
