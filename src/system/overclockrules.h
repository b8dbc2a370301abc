#pragma once

// The rules of the overclocking gag on the information page, without its widgets.
namespace overclock {

/// The animation's step interval for a position of the multiplier slider: 630 ms at 1 down to 140 ms at 8.
int multiplierInterval(int position);

/// What a position of the CD-drive slider sets off, in this order.
struct CdSliderReaction
{
    bool gogglesWarning = false; // the once-per-run error dialog about safety goggles
    bool trayWarning = false;    // the "no goggles" notice, then the CD door button's click
    bool dunceMessage = false;   // the notice at position 5
};

/// The reaction to the slider arriving at `position`; the goggles warning is given once per run, so the
/// function marks `gogglesWarned` when it asks for it.
CdSliderReaction cdSliderReaction(int position, bool& gogglesWarned);

/// One step of the "2 х 2 = 4" animation.
struct EquationFrame
{
    int step = 0;    // the new EquationStep
    int reveal = -1; // the label to show, 0 to 4, or -1
    bool hideAll = false;
};

/// Advances the animation from `step`: steps 1 to 5 reveal one label each, step 6 hides all five and starts over.
EquationFrame advanceEquation(int step);

} // namespace overclock
