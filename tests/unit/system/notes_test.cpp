#include <gtest/gtest.h>

#include <QStringList>

#include "system/notes.h"

namespace {

struct NoteRow
{
    const char* name;
    int index;
    int beeper;
    int bar;
};

void PrintTo(const NoteRow& row, std::ostream* out)
{
    *out << row.index;
}

class NoteTable : public ::testing::TestWithParam<NoteRow>
{
};

// The bar position comes from the single-precision frequency: 523.3 is stored as 523.2999..., so its
// position is 1232, not the 1233 the decimal value would give.
TEST_P(NoteTable, BeeperFrequencyAndBarPositionAreTruncated)
{
    const NoteRow& row = GetParam();
    const float stored = notes::NoteFrequencies[std::size_t(row.index)];
    EXPECT_EQ(notes::noteNames()[std::size_t(row.index)], QString::fromUtf8(row.name));
    EXPECT_EQ(notes::beeperFrequency(stored), row.beeper);
    EXPECT_EQ(notes::pitchBarPosition(stored), row.bar);
}

INSTANTIATE_TEST_SUITE_P(Octave, NoteTable,
                         ::testing::Values(NoteRow{"ДО", 0, 523, 1232}, NoteRow{"РЕ", 1, 587, 1872},
                                           NoteRow{"МИ", 2, 659, 2592}, NoteRow{"ФА", 3, 698, 2985},
                                           NoteRow{"СОЛЬ", 4, 784, 3840}, NoteRow{"ЛЯ", 5, 880, 4800},
                                           NoteRow{"СИ", 6, 987, 5877}));

TEST(PitchBar, TruncatesTowardZeroBelowTheOffset)
{
    // A frequency under 400 Hz would put the bar below zero: truncation goes toward zero, not down.
    EXPECT_EQ(notes::pitchBarPosition(399.95f), 0);
    EXPECT_EQ(notes::pitchBarPosition(350.05f), -499);
}

TEST(CheckTune, SeventeenNotesInThreeAndAHalfSecondsInTheirOrder)
{
    int total = 0;
    QStringList names;
    for (const notes::TuneNote& note : notes::CheckTune) {
        total += note.durationMs;
        names << notes::noteNames()[std::size_t(note.note)];
    }
    EXPECT_EQ(total, 3200);
    EXPECT_EQ(names.join(QLatin1Char(' ')),
              QStringLiteral("СОЛЬ ДО ДО МИ СОЛЬ ФА СОЛЬ ФА МИ РЕ ДО ДО РЕ МИ ЛЯ СИ СОЛЬ"));
    // Only the eighth and ninth notes are short.
    EXPECT_EQ(notes::CheckTune[7].durationMs, 100);
    EXPECT_EQ(notes::CheckTune[8].durationMs, 100);
}

struct Typed
{
    const char* text;
    std::optional<int> note;
};

void PrintTo(const Typed& typed, std::ostream* out)
{
    *out << '"' << typed.text << '"';
}

class TypedCharacter : public ::testing::TestWithParam<Typed>
{
};

TEST_P(TypedCharacter, OnlyOneToSevenPlay)
{
    EXPECT_EQ(notes::noteForCharacter(QString::fromUtf8(GetParam().text)), GetParam().note);
}

INSTANTIATE_TEST_SUITE_P(Keys, TypedCharacter,
                         ::testing::Values(Typed{"1", 0}, Typed{"4", 3}, Typed{"7", 6}, Typed{"0", std::nullopt},
                                           Typed{"8", std::nullopt}, Typed{"9", std::nullopt}, Typed{"", std::nullopt},
                                           Typed{"11", std::nullopt}, Typed{"a", std::nullopt},
                                           Typed{"١", std::nullopt}));

} // namespace
