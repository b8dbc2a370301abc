#pragma once

#include <QChar>
#include <QString>
#include <array>
#include <optional>

// The piano's octave and the sound-card check's tune.
namespace notes {

/// One octave of the C major scale, "ДО" to "СИ", in hertz as the piano stores them.
inline constexpr std::array<float, 7> NoteFrequencies{523.3f, 587.3f, 659.3f, 698.5f, 784.0f, 880.0f, 987.7f};

/// The captions of the piano's keys, left to right.
const std::array<QString, 7>& noteNames();

/// What the beeper is given: the stored frequency truncated toward zero.
int beeperFrequency(float stored);

/// Where the pitch bar goes after the note: (stored × 10 − 4000) truncated toward zero, computed from the
/// single-precision value in extended precision, so 523.3 gives 1232.
int pitchBarPosition(float stored);

struct TuneNote
{
    int durationMs;
    int note; // index into NoteFrequencies
};

/// The sound-card check's tune: 17 notes, 3200 ms in all.
inline constexpr std::array<TuneNote, 17> CheckTune{{
    {200, 4},
    {200, 0},
    {200, 0},
    {200, 2},
    {200, 4},
    {200, 3},
    {200, 4},
    {100, 3},
    {100, 2},
    {200, 1},
    {200, 0},
    {200, 0},
    {200, 1},
    {200, 2},
    {200, 5},
    {200, 6},
    {200, 4},
}};

/// The note a typed character plays while the keyboard piano is on: "1" to "7" give notes 0 to 6.
std::optional<int> noteForCharacter(const QString& typed);

} // namespace notes
