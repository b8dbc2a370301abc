#include "media/playerrules.h"

quint32 PlayerRandom::next()
{
    // SplitMix64: plain 64-bit integer arithmetic, the same on every compiler and processor.
    m_state += 0x9E3779B97F4A7C15ULL;
    quint64 z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<quint32>(z >> 33);
}

int PlayerRandom::pick(int count)
{
    const quint32 value = next();
    return count > 0 ? static_cast<int>(value % static_cast<quint32>(count)) : 0;
}

int nextEntry(int index, int count, bool randomOrder, PlayerRandom& random)
{
    return randomOrder ? random.pick(count) : index + 1;
}

int previousEntry(int index, int count, bool randomOrder, PlayerRandom& random)
{
    return randomOrder ? random.pick(count) : index - 1;
}

NeighbourButtons neighbourButtons(int index, int count)
{
    return {index != 0, index != count - 1};
}

DropMove dropMove(int from, int target)
{
    if (target == from)
        return {false, from};
    return {true, target > from ? target - 1 : target};
}

namespace strip {

qint64 unitsPerPixel(qint64 length, int width)
{
    return width > 0 ? length / width : 0;
}

int handleLeft(qint64 position, qint64 units)
{
    return units != 0 ? static_cast<int>(position / units) : 0;
}

int draggedLeft(int left, int width, int x)
{
    if (left >= width)
        return width - 1;
    if (left <= 0)
        return 1;
    return left + x;
}

int clickedLeft(int x, int handleWidth)
{
    return x - handleWidth / 2;
}

qint64 releasePosition(int left, qint64 units)
{
    return units * (left <= 0 ? 0 : left);
}

} // namespace strip
