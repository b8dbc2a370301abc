#include "system/overclockrules.h"

namespace overclock {

int multiplierInterval(int position)
{
    return 700 - 70 * position;
}

CdSliderReaction cdSliderReaction(int position, bool& gogglesWarned)
{
    CdSliderReaction reaction;
    if (position <= 2 && !gogglesWarned) {
        gogglesWarned = true;
        reaction.gogglesWarning = true;
    }
    reaction.trayWarning = position >= 2 && position <= 4;
    reaction.dunceMessage = position == 5;
    return reaction;
}

EquationFrame advanceEquation(int step)
{
    EquationFrame frame;
    frame.step = step + 1;
    if (frame.step >= 1 && frame.step <= 5) {
        frame.reveal = frame.step - 1;
    } else if (frame.step == 6) {
        frame.hideAll = true;
        frame.step = 0;
    }
    return frame;
}

} // namespace overclock
