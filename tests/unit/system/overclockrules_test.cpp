#include <gtest/gtest.h>

#include "system/overclockrules.h"

namespace {

TEST(MultiplierInterval, FromSixHundredThirtyDownToOneHundredForty)
{
    EXPECT_EQ(overclock::multiplierInterval(1), 630);
    EXPECT_EQ(overclock::multiplierInterval(4), 420);
    EXPECT_EQ(overclock::multiplierInterval(8), 140);
}

// What each position of the CD-drive slider sets off, reached one step at a time from the start as a user
// dragging it would: the goggles warning once, the tray from 2 to 4, the dunce notice at 5, then nothing.
TEST(CdSlider, DraggedFromOneToTen)
{
    struct Row
    {
        int position;
        bool goggles, tray, dunce;
    };
    const Row rows[] = {{2, true, true, false},    {3, false, true, false},  {4, false, true, false},
                        {5, false, false, true},   {6, false, false, false}, {7, false, false, false},
                        {10, false, false, false}, {1, false, false, false}, {2, false, true, false}};
    bool warned = false;
    for (const Row& row : rows) {
        const overclock::CdSliderReaction reaction = overclock::cdSliderReaction(row.position, warned);
        EXPECT_EQ(reaction.gogglesWarning, row.goggles) << row.position;
        EXPECT_EQ(reaction.trayWarning, row.tray) << row.position;
        EXPECT_EQ(reaction.dunceMessage, row.dunce) << row.position;
        EXPECT_TRUE(warned);
    }
}

TEST(CdSlider, GogglesWarningAlsoAtOneAndOnlyOnce)
{
    bool warned = false;
    EXPECT_TRUE(overclock::cdSliderReaction(1, warned).gogglesWarning);
    EXPECT_FALSE(overclock::cdSliderReaction(1, warned).trayWarning);
    EXPECT_FALSE(overclock::cdSliderReaction(2, warned).gogglesWarning);
    // A jump straight past the goggles range never warns.
    bool fresh = false;
    EXPECT_FALSE(overclock::cdSliderReaction(3, fresh).gogglesWarning);
    EXPECT_FALSE(fresh);
}

TEST(Equation, RevealsFiveLabelsThenHidesThemAndStartsOver)
{
    int step = 0;
    std::vector<int> revealed;
    for (int tick = 1; tick <= 5; ++tick) {
        const overclock::EquationFrame frame = overclock::advanceEquation(step);
        EXPECT_FALSE(frame.hideAll);
        revealed.push_back(frame.reveal);
        step = frame.step;
        EXPECT_EQ(step, tick);
    }
    EXPECT_EQ(revealed, (std::vector<int>{0, 1, 2, 3, 4}));
    const overclock::EquationFrame sixth = overclock::advanceEquation(step);
    EXPECT_TRUE(sixth.hideAll);
    EXPECT_EQ(sixth.reveal, -1);
    EXPECT_EQ(sixth.step, 0);
    EXPECT_EQ(overclock::advanceEquation(sixth.step).reveal, 0);
}

} // namespace
