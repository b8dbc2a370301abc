#include <gtest/gtest.h>

#include <QTime>

#include "app/appearancerules.h"
#include "app/clocktext.h"
#include "app/ledshow.h"
#include "app/notesgrid.h"
#include "app/usagecounter.h"

// Found by argument lookup from inside GoogleTest, so they live beside UsageTotals.
bool operator==(const UsageTotals& a, const UsageTotals& b)
{
    return a.seconds == b.seconds && a.minutes == b.minutes && a.hours == b.hours && a.days == b.days;
}

void PrintTo(const UsageTotals& t, std::ostream* os)
{
    *os << t.days << "d " << t.hours << "h " << t.minutes << "m " << t.seconds << "s";
}

namespace {

struct PanelCase
{
    int x;
    std::optional<int> panel;
};

class StatusPanelAtTest : public testing::TestWithParam<PanelCase>
{
};

TEST_P(StatusPanelAtTest, MapsThePositionToThePanel)
{
    EXPECT_EQ(statusPanelAt(GetParam().x), GetParam().panel) << "x = " << GetParam().x;
}

// The ranges are open at both ends; the gaps between them and everything from 500 on show nothing.
INSTANTIATE_TEST_SUITE_P(Ranges, StatusPanelAtTest,
                         testing::Values(PanelCase{0, std::nullopt}, PanelCase{1, 0}, PanelCase{30, 0},
                                         PanelCase{54, 0}, PanelCase{55, std::nullopt}, PanelCase{57, std::nullopt},
                                         PanelCase{60, std::nullopt}, PanelCase{61, 1}, PanelCase{109, 1},
                                         PanelCase{110, std::nullopt}, PanelCase{116, 2}, PanelCase{169, 2},
                                         PanelCase{171, std::nullopt}, PanelCase{173, 3}, PanelCase{321, 3},
                                         PanelCase{323, std::nullopt}, PanelCase{326, 4}, PanelCase{409, 4},
                                         PanelCase{411, std::nullopt}, PanelCase{414, 5}, PanelCase{499, 5},
                                         PanelCase{500, std::nullopt}, PanelCase{600, std::nullopt},
                                         PanelCase{-3, std::nullopt}));

struct KeyCase
{
    const char* name;
    int key;
    const char* text;
    ScaleKey expected;
};

class ClassifyScaleKeyTest : public testing::TestWithParam<KeyCase>
{
};

TEST_P(ClassifyScaleKeyTest, SortsTheKey)
{
    EXPECT_EQ(classifyScaleKey(GetParam().key, QString::fromUtf8(GetParam().text)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Keys, ClassifyScaleKeyTest,
                         testing::Values(KeyCase{"Zero", Qt::Key_0, "0", ScaleKey::Digit},
                                         KeyCase{"Nine", Qt::Key_9, "9", ScaleKey::Digit},
                                         KeyCase{"Return", Qt::Key_Return, "\r", ScaleKey::Apply},
                                         KeyCase{"KeypadEnter", Qt::Key_Enter, "\r", ScaleKey::Apply},
                                         KeyCase{"Backspace", Qt::Key_Backspace, "\b", ScaleKey::Rejected},
                                         KeyCase{"BackspaceWithoutText", Qt::Key_Backspace, "", ScaleKey::Rejected},
                                         KeyCase{"Letter", Qt::Key_A, "a", ScaleKey::Rejected},
                                         KeyCase{"Cyrillic", 0x0424, "ф", ScaleKey::Rejected},
                                         KeyCase{"Minus", Qt::Key_Minus, "-", ScaleKey::Rejected},
                                         KeyCase{"Blank", Qt::Key_Space, " ", ScaleKey::Rejected},
                                         KeyCase{"Escape", Qt::Key_Escape, "\x1b", ScaleKey::Rejected},
                                         KeyCase{"Paste", Qt::Key_V, "\x16", ScaleKey::Rejected},
                                         KeyCase{"Delete", Qt::Key_Delete, "\x7f", ScaleKey::NoCharacter},
                                         KeyCase{"Left", Qt::Key_Left, "", ScaleKey::NoCharacter},
                                         KeyCase{"Home", Qt::Key_Home, "", ScaleKey::NoCharacter},
                                         KeyCase{"Tab", Qt::Key_Tab, "\t", ScaleKey::NoCharacter},
                                         KeyCase{"Shift", Qt::Key_Shift, "", ScaleKey::NoCharacter}),
                         [](const testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST(ConsoleKey, IsTheKeyLeftOfOneOnEitherLayout)
{
    EXPECT_TRUE(isConsoleKey(Qt::Key_QuoteLeft));
    EXPECT_TRUE(isConsoleKey(Qt::Key_AsciiTilde));
    EXPECT_TRUE(isConsoleKey(0x0401));
    EXPECT_FALSE(isConsoleKey(Qt::Key_1));
    EXPECT_FALSE(isConsoleKey(Qt::Key_Apostrophe));
    EXPECT_FALSE(isConsoleKey(0x0415)); // "Е", not "Ё"
}

struct ClockCase
{
    QTime time;
    const char* text;
};

class ClockPanelTextTest : public testing::TestWithParam<ClockCase>
{
};

TEST_P(ClockPanelTextTest, WritesTheTime)
{
    EXPECT_EQ(clockPanelText(GetParam().time), QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Times, ClockPanelTextTest,
                         testing::Values(ClockCase{QTime(9, 5, 7), " 9:05:07"}, ClockCase{QTime(0, 0, 0), " 0:00:00"},
                                         ClockCase{QTime(23, 59, 59), " 23:59:59"},
                                         ClockCase{QTime(10, 10, 9), " 10:10:09"}));

struct TickCase
{
    const char* name;
    UsageTotals before;
    UsageTotals after;
};

class AddOneSecondTest : public testing::TestWithParam<TickCase>
{
};

TEST_P(AddOneSecondTest, RollsOver)
{
    UsageTotals duration = GetParam().before;
    addOneSecond(duration);
    EXPECT_EQ(duration, GetParam().after);
}

// UsageTotals lists seconds, minutes, hours, days.
INSTANTIATE_TEST_SUITE_P(Carries, AddOneSecondTest,
                         testing::Values(TickCase{"Plain", {0, 0, 0, 0}, {1, 0, 0, 0}},
                                         TickCase{"IntoMinutes", {59, 0, 0, 0}, {0, 1, 0, 0}},
                                         TickCase{"IntoHours", {59, 59, 0, 0}, {0, 0, 1, 0}},
                                         TickCase{"IntoDays", {59, 59, 23, 0}, {0, 0, 0, 1}},
                                         TickCase{"DaysUnbounded", {59, 59, 23, 999}, {0, 0, 0, 1000}},
                                         TickCase{"StoredOutOfRangeSeconds", {75, 3, 0, 0}, {0, 4, 0, 0}},
                                         TickCase{"StoredOutOfRangeMinutes", {0, 70, 1, 0}, {1, 0, 2, 0}}),
                         [](const testing::TestParamInfo<TickCase>& info) { return std::string(info.param.name); });

TEST(FormatDuration, SpacesEveryUnit)
{
    EXPECT_EQ(FormatDuration(0, 1, 5, 30), QStringLiteral("0 д 1 ч 5 м 30 с"));
    EXPECT_EQ(FormatDuration(0, 0, 1, 1), QStringLiteral("0 д 0 ч 1 м 1 с"));
    EXPECT_EQ(FormatDuration(12345, 23, 59, 59), QStringLiteral("12345 д 23 ч 59 м 59 с"));
    EXPECT_EQ(FormatDuration(UsageTotals{7, 8, 9, 10}), QStringLiteral("10 д 9 ч 8 м 7 с"));
}

TEST(LedShow, EveryLockIsPressedTwiceInTheTableOrder)
{
    EXPECT_EQ(ledShowKeys(1), std::vector<int>{144});
    EXPECT_EQ(ledShowKeys(2), std::vector<int>{20});
    EXPECT_EQ(ledShowKeys(3), std::vector<int>{145});
    EXPECT_EQ(ledShowKeys(4), (std::vector<int>{144, 145, 20}));
    EXPECT_TRUE(ledShowKeys(0).empty());
    EXPECT_TRUE(ledShowKeys(5).empty());
}

TEST(NoteFromStored, KeepsTheFirstLine)
{
    EXPECT_EQ(noteFromStored(QStringLiteral("купить хлеб")), QStringLiteral("купить хлеб"));
    EXPECT_EQ(noteFromStored(QStringLiteral("one\r\ntwo")), QStringLiteral("one"));
    EXPECT_EQ(noteFromStored(QStringLiteral("one\ntwo\nthree")), QStringLiteral("one"));
    EXPECT_EQ(noteFromStored(QStringLiteral("one\rtwo")), QStringLiteral("one"));
    EXPECT_EQ(noteFromStored(QStringLiteral("\nsecond")), QString());
    EXPECT_EQ(noteFromStored(QString()), QString());
    EXPECT_EQ(noteFromStored(QStringLiteral("  blanks kept  ")), QStringLiteral("  blanks kept  "));
}

} // namespace
