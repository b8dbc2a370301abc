#pragma once

#include <utility>
#include <vector>

class QFont;
class QWidget;

// Scales a window like the classic form ScaleBy: every control's position, size, font, picture, icon and
// grid sections by m/d, rounded to the nearest pixel, and the window's size; controls placed by a layout are
// left to it. The window's position is the caller's.
void scaleWidgetTree(QWidget* root, int m, int d);

/// A part of a window made after the window was scaled (a page made when first needed) is scaled by each of
/// the window's steps in turn, as if it had been there for them. Before its controls are made, the part takes
/// `unscaledFont`, the font it inherited before the first step; once they are made, the steps are applied
/// and the part follows its parent's font again. Neither does anything when the window took no step.
void prepareForScaleCatchUp(QWidget* part, const QFont& unscaledFont, const std::vector<std::pair<int, int>>& steps);
void catchUpWithScale(QWidget* part, const std::vector<std::pair<int, int>>& steps);

/// Labels that stretch their picture to their size get it drawn at that size once per size, instead of
/// having it smooth-scaled again at every paint.
void scalePicturesOncePerSize(QWidget* root);
