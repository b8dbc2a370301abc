#pragma once

#include <QtGlobal>

// The player's rules that need no widget: the random picks, which entry comes next, which neighbour buttons
// are usable, where a dragged entry lands and the arithmetic of the position strip.

/// The playlist's own generator of random picks. It starts from the same seed in every run and computes the
/// same values on every platform, so two runs of the program pick the same sequence of entries.
class PlayerRandom
{
public:
    /// The next value, 0 to 2^31 - 1.
    quint32 next();
    /// The next value modulo `count`; 0 for an empty list.
    int pick(int count);

private:
    quint64 m_state = 0x54524F4D42555321ULL;
};

/// The entry that "след." or the end of a track moves to: index + 1, or a random pick in random order.
int nextEntry(int index, int count, bool randomOrder, PlayerRandom& random);
/// The entry that "пред." moves to: index - 1, or a random pick in random order.
int previousEntry(int index, int count, bool randomOrder, PlayerRandom& random);

/// Which of "пред." and "след." can be used with the current entry at `index` of `count`.
struct NeighbourButtons
{
    bool previous;
    bool next;
};
NeighbourButtons neighbourButtons(int index, int count);

/// Where a dragged entry goes. `target` is the index of the entry under the drop point, or the entry count
/// when the point is below the last entry.
struct DropMove
{
    bool moves; // false: dropped onto itself, nothing changes
    int to;     // the dragged entry's index after the move
};
DropMove dropMove(int from, int target);

// The position strip: the handle's left coordinate inside the strip is the displayed position, and the
// strip's width in pixels scales the track's length.
namespace strip {

/// Units of the track's length per pixel of the strip (truncating); 0 when the strip has no width.
qint64 unitsPerPixel(qint64 length, int width);
/// The handle's left coordinate for a playing position.
int handleLeft(qint64 position, qint64 units);
/// The handle's left coordinate while it is dragged: `left` its current one, `width` the strip's, `x` the
/// mouse relative to the handle.
int draggedLeft(int left, int width, int x);
/// The handle's left coordinate after a click at `x` on the strip.
int clickedLeft(int x, int handleWidth);
/// The position the handle's release seeks to.
qint64 releasePosition(int left, qint64 units);

} // namespace strip
