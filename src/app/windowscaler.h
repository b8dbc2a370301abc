#pragma once

class QWidget;

// Scales a window like the classic form ScaleBy: every control's position, size, font, picture, icon and
// grid sections by m/d, rounded to the nearest pixel, and the window's size; controls placed by a layout are
// left to it. The window's position is the caller's.
void scaleWidgetTree(QWidget* root, int m, int d);

/// Labels that stretch their picture to their size get it drawn at that size once per size, instead of
/// having it smooth-scaled again at every paint.
void scalePicturesOncePerSize(QWidget* root);
