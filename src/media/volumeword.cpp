#include "media/volumeword.h"

#include <algorithm>

namespace volumeword {

quint16 left(quint32 word)
{
    return static_cast<quint16>(word & 0xFFFFu);
}

quint16 right(quint32 word)
{
    return static_cast<quint16>(word >> 16);
}

quint32 withLeft(quint32 word, quint16 level)
{
    return (word & 0xFFFF0000u) | level;
}

quint32 withRight(quint32 word, quint16 level)
{
    return (word & 0x0000FFFFu) | (static_cast<quint32>(level) << 16);
}

quint16 levelOfPosition(int position)
{
    return static_cast<quint16>(static_cast<quint32>(position) & 0xFFFFu);
}

int positionOfLevel(quint16 level)
{
    return BottomPosition + level;
}

quint32 withVolume(quint32 word, int balance, quint16 level)
{
    switch (balance) {
    case Both:
        return withRight(withLeft(word, level), level);
    case LeftOnly:
        return withLeft(word, level);
    case RightOnly:
        return withRight(word, level);
    default:
        return word;
    }
}

quint32 withBalance(quint32 word, int balance)
{
    switch (balance) {
    case RightOnly:
        return withLeft(word, 0);
    case Both: {
        const quint16 louder = std::max(left(word), right(word));
        return withRight(withLeft(word, louder), louder);
    }
    case LeftOnly:
        return withRight(word, 0);
    default:
        return word;
    }
}

} // namespace volumeword
