#include <gtest/gtest.h>

#include "app/placementrules.h"

#include <QWidget>

// Found by argument lookup from inside GoogleTest, so they live beside QPoint and QRect.
void PrintTo(const QPoint& p, std::ostream* os)
{
    *os << "(" << p.x() << ", " << p.y() << ")";
}

void PrintTo(const QRect& r, std::ostream* os)
{
    *os << r.width() << "x" << r.height() << " at (" << r.x() << ", " << r.y() << ")";
}

namespace {

// Two monitors side by side, the right one lower and with a panel along its top.
const QRect Left(0, 0, 1280, 1024);
const QRect Right(1280, 200, 1024, 740);
const QList<QRect> TwoScreens{Left, Right};

const QSize Frame(544, 570);
constexpr int Title = 20;

struct PlacementCase
{
    const char* name;
    QPoint stored;
    QList<QRect> areas;
    QPoint expected;
};

void PrintTo(const PlacementCase& c, std::ostream* os)
{
    *os << c.name;
}

class ReachableFramePositionTest : public testing::TestWithParam<PlacementCase>
{
};

TEST_P(ReachableFramePositionTest, KeepsOrBringsBackTheTitleBar)
{
    const PlacementCase& c = GetParam();
    EXPECT_EQ(reachableFramePosition(QRect(c.stored, Frame), Title, c.areas), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReachableFramePositionTest,
    testing::Values(
        PlacementCase{"centred stays", {369, 240}, TwoScreens, {369, 240}},
        PlacementCase{"on the second monitor stays", {1500, 300}, TwoScreens, {1500, 300}},
        PlacementCase{"hanging off the bottom stays: the title bar is there", {100, 900}, TwoScreens, {100, 900}},
        PlacementCase{"mostly off the left edge stays while a grip is left", {-490, 40}, TwoScreens, {-490, 40}},
        PlacementCase{"title bar one pixel above the screen comes down", {100, -1}, TwoScreens, {100, 0}},
        PlacementCase{"walked far up comes down, keeping its column", {369, -300}, TwoScreens, {369, 0}},
        PlacementCase{"less than a grip on the left comes in", {-500, 40}, TwoScreens, {0, 40}},
        PlacementCase{"below every screen comes up", {100, 3000}, TwoScreens, {100, 1024 - 570}},
        PlacementCase{
            "from a removed third monitor goes to the nearest", {4000, 300}, TwoScreens, {1280 + 1024 - 544, 300}},
        PlacementCase{"above the right monitor's panel comes down below it", {1500, 150}, TwoScreens, {1500, 200}},
        PlacementCase{"in the gap below the right monitor goes to the nearer one",
                      {1400, 1000},
                      TwoScreens,
                      {1400, 200 + 740 - 570}},
        PlacementCase{"no screens known: as stored", {-5000, -5000}, {}, {-5000, -5000}}),
    [](const testing::TestParamInfo<PlacementCase>& info) { return "case" + std::to_string(info.index); });

TEST(ReachableFramePosition, FrameLargerThanTheScreenShowsItsTopLeftCorner)
{
    EXPECT_EQ(reachableFramePosition(QRect(QPoint(-50, -80), QSize(2000, 1500)), Title, {Left}), QPoint(0, 0));
}

TEST(InsideFramePosition, MovesOnlyAsFarAsTheEdgeAsks)
{
    // A window grown by a scale keeps its corner where it fits, and is pushed back just enough where not.
    EXPECT_EQ(insideFramePosition(QRect(QPoint(100, 40), QSize(843, 843)), {Left}), QPoint(100, 40));
    EXPECT_EQ(insideFramePosition(QRect(QPoint(369, 240), QSize(815, 843)), {Left}), QPoint(369, 1024 - 843));
    EXPECT_EQ(insideFramePosition(QRect(QPoint(900, 240), QSize(815, 700)), {Left}), QPoint(1280 - 815, 240));
}

TEST(NearestArea, PrefersTheLargestOverlapThenTheClosest)
{
    EXPECT_EQ(nearestArea(QRect(1200, 300, 544, 570), TwoScreens), Right);
    EXPECT_EQ(nearestArea(QRect(1000, 300, 544, 570), TwoScreens), Left);
    EXPECT_EQ(nearestArea(QRect(2000, 1100, 100, 100), TwoScreens), Right);
    EXPECT_EQ(nearestArea(QRect(1300, 2000, 100, 100), TwoScreens), Left);
    EXPECT_TRUE(nearestArea(QRect(0, 0, 10, 10), {}).isEmpty());
}

// A window larger than every screen is still made; only one no widget can be is refused.
TEST(ScaledSizeRepresentable, RefusesOnlyWhatNoWidgetCanBe)
{
    const QSize window(542, 545);
    EXPECT_TRUE(scaledSizeRepresentable(window, 200, 100));
    EXPECT_TRUE(scaledSizeRepresentable(window, 1000, 100));
    EXPECT_TRUE(scaledSizeRepresentable(window, 1, 100));
    EXPECT_TRUE(scaledSizeRepresentable(QSize(QWIDGETSIZE_MAX, 10), 1, 1));
    EXPECT_FALSE(scaledSizeRepresentable(QSize(QWIDGETSIZE_MAX, 10), 101, 100));
    EXPECT_FALSE(scaledSizeRepresentable(QSize(10, 545), 5000000, 100));
    EXPECT_FALSE(scaledSizeRepresentable(window, 0, 100));
    EXPECT_FALSE(scaledSizeRepresentable(window, 100, 0));
}

} // namespace
