#include <gtest/gtest.h>

#include <QStringList>
#include <set>

#include "media/playerrules.h"

namespace {

TEST(PlayerRandom, EveryRunPicksTheSameSequence)
{
    PlayerRandom first;
    PlayerRandom second;
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(first.next(), second.next()) << "pick " << i;
}

// The values themselves are pinned: a compiler or platform that computed them differently would change the
// order a playlist plays in.
TEST(PlayerRandom, SequenceIsTheSameOnEveryPlatform)
{
    PlayerRandom pinned;
    EXPECT_EQ(pinned.next(), 1582466297u);
    EXPECT_EQ(pinned.next(), 112366867u);
    EXPECT_EQ(pinned.next(), 594149841u);
}

TEST(PlayerRandom, PicksStayInTheListAndReachEveryEntry)
{
    PlayerRandom random;
    std::set<int> seen;
    for (int i = 0; i < 200; ++i) {
        const int pick = random.pick(3);
        ASSERT_GE(pick, 0);
        ASSERT_LT(pick, 3);
        seen.insert(pick);
    }
    EXPECT_EQ(seen.size(), 3u);
    EXPECT_EQ(random.pick(0), 0);
    EXPECT_EQ(random.pick(1), 0);
}

TEST(PlayerRandom, RandomOrderMayPickTheSameEntryAgain)
{
    PlayerRandom random;
    int repeats = 0;
    int index = 0;
    for (int i = 0; i < 100; ++i) {
        const int next = nextEntry(index, 2, true, random);
        repeats += next == index;
        index = next;
    }
    EXPECT_GT(repeats, 0);
}

struct Step
{
    int index;
    int count;
    int next;
    int previous;
};

class ListOrder : public testing::TestWithParam<Step>
{
};

TEST_P(ListOrder, MovesByOneEntry)
{
    PlayerRandom random;
    const Step step = GetParam();
    EXPECT_EQ(nextEntry(step.index, step.count, false, random), step.next);
    EXPECT_EQ(previousEntry(step.index, step.count, false, random), step.previous);
}

// Past either end the index leaves the list; the list then reports its index error.
INSTANTIATE_TEST_SUITE_P(Steps, ListOrder,
                         testing::Values(Step{0, 3, 1, -1}, Step{1, 3, 2, 0}, Step{2, 3, 3, 1}, Step{-1, 3, 0, -2}));

struct Neighbours
{
    int index;
    int count;
    bool previous;
    bool next;
};

class NeighbourButtonsTest : public testing::TestWithParam<Neighbours>
{
};

TEST_P(NeighbourButtonsTest, FollowTheCurrentEntry)
{
    const Neighbours row = GetParam();
    const NeighbourButtons buttons = neighbourButtons(row.index, row.count);
    EXPECT_EQ(buttons.previous, row.previous);
    EXPECT_EQ(buttons.next, row.next);
}

INSTANTIATE_TEST_SUITE_P(Rows, NeighbourButtonsTest,
                         testing::Values(Neighbours{0, 3, false, true}, Neighbours{1, 3, true, true},
                                         Neighbours{2, 3, true, false}, Neighbours{0, 1, false, false},
                                         Neighbours{-1, 3, true, true}));

QStringList afterDrop(QStringList entries, int from, int target)
{
    const DropMove move = dropMove(from, target);
    if (move.moves)
        entries.move(from, move.to);
    return entries;
}

struct Drop
{
    const char* name;
    int from;
    int target;
    QStringList order;
};

class DropTest : public testing::TestWithParam<Drop>
{
};

TEST_P(DropTest, DraggedEntryGoesBeforeTheEntryUnderThePoint)
{
    const Drop drop = GetParam();
    EXPECT_EQ(afterDrop({"1", "2", "3", "4"}, drop.from, drop.target), drop.order);
}

INSTANTIATE_TEST_SUITE_P(Drops, DropTest,
                         testing::Values(Drop{"thirdOntoFirst", 2, 0, {"3", "1", "2", "4"}},
                                         Drop{"firstOntoFourth", 0, 3, {"2", "3", "1", "4"}},
                                         Drop{"belowTheLast", 1, 4, {"1", "3", "4", "2"}},
                                         Drop{"ontoItself", 2, 2, {"1", "2", "3", "4"}},
                                         Drop{"ontoTheNext", 1, 2, {"1", "2", "3", "4"}},
                                         Drop{"lastOntoFirst", 3, 0, {"4", "1", "2", "3"}}),
                         [](const testing::TestParamInfo<Drop>& info) { return info.param.name; });

TEST(DropMoveTest, OnlyADropOntoItselfLeavesTheListAlone)
{
    EXPECT_FALSE(dropMove(2, 2).moves);
    // Onto the next entry the order stays, but it is a move: the selection is cleared afterwards.
    EXPECT_TRUE(dropMove(1, 2).moves);
    EXPECT_EQ(dropMove(1, 2).to, 1);
}

TEST(PositionStrip, ClickPutsTheHandleUnderThePointerAndSeeksThere)
{
    const qint64 units = strip::unitsPerPixel(994000, 497);
    EXPECT_EQ(units, 2000);
    const int left = strip::clickedLeft(100, 17);
    EXPECT_EQ(left, 92);
    EXPECT_EQ(strip::releasePosition(left, units), 184000);
}

TEST(PositionStrip, UnitsTruncateAndAShortTrackHasNone)
{
    EXPECT_EQ(strip::unitsPerPixel(995999, 497), 2004);
    EXPECT_EQ(strip::unitsPerPixel(496, 497), 0);
    // A strip scaled to nothing has no units rather than a division by zero.
    EXPECT_EQ(strip::unitsPerPixel(994000, 0), 0);
    EXPECT_EQ(strip::handleLeft(184000, 2000), 92);
    EXPECT_EQ(strip::releasePosition(92, 0), 0);
}

TEST(PositionStrip, ReleaseLeftOfTheStripSeeksToTheStart)
{
    EXPECT_EQ(strip::releasePosition(-5, 2000), 0);
    EXPECT_EQ(strip::releasePosition(0, 2000), 0);
}

struct DragRow
{
    int left;
    int x;
    int expected;
};

class HandleDrag : public testing::TestWithParam<DragRow>
{
};

TEST_P(HandleDrag, FollowsThePointerWithinTheStrip)
{
    const DragRow row = GetParam();
    EXPECT_EQ(strip::draggedLeft(row.left, 497, row.x), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, HandleDrag,
                         testing::Values(DragRow{100, 5, 105}, DragRow{100, -3, 97}, DragRow{497, 5, 496},
                                         DragRow{520, -40, 496}, DragRow{0, 5, 1}, DragRow{-8, 30, 1}));

} // namespace
