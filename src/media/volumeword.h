#pragma once

#include <QtGlobal>

// The wave-out volume word and the level sliders: the left channel's level in the low 16 bits, the right's in
// the high 16 bits. Level sliders run from -65535 to 0; a position's level is its low 16 bits, so -65535
// gives 1, -1 gives 0xFFFF and 0 (which the sliders never keep) would give 0.
namespace volumeword {

/// The rightmost position a level slider keeps.
constexpr int TopPosition = -1;
constexpr int BottomPosition = -65535;

quint16 left(quint32 word);
quint16 right(quint32 word);
quint32 withLeft(quint32 word, quint16 level);
quint32 withRight(quint32 word, quint16 level);

/// The level of a slider position.
quint16 levelOfPosition(int position);
/// The slider position that shows a level read from the device (one below the level that position writes).
int positionOfLevel(quint16 level);

/// The balance switch: 0 left only, 1 both, 2 right only.
enum Balance
{
    LeftOnly = 0,
    Both = 1,
    RightOnly = 2,
};
/// The word after the volume slider moved to `level` with the balance switch at `balance`.
quint32 withVolume(quint32 word, int balance, quint16 level);
/// The word after the balance switch moved to `balance`: one side silences the other, the middle gives both
/// channels the louder level.
quint32 withBalance(quint32 word, int balance);

} // namespace volumeword
