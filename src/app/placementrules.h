#pragma once

#include <QList>
#include <QRect>

// Rules that keep the main window reachable on the screens there are now. Screen areas are the parts of
// the screens that windows may use (without panels and docks), in global coordinates.

/// The least height of the strip at the frame's top that is treated as its title bar, for frames whose
/// decoration is not known (yet) or that have none.
inline constexpr int LeastTitleBarHeight = 20;
/// How much of a title bar's width must be on a screen for the user to grab it.
inline constexpr int LeastGrip = 50;

/// The area nearest to a frame: the one it overlaps most, else the one closest to it; an empty rectangle
/// when there are no areas.
QRect nearestArea(const QRect& frame, const QList<QRect>& areas);

/// True when the top `titleHeight` rows of the frame lie on one of the areas over at least LeastGrip pixels
/// of width (the whole width of a narrower frame).
bool titleBarReachable(const QRect& frame, int titleHeight, const QList<QRect>& areas);

/// Where the frame's top-left corner goes: unchanged when its title bar is reachable, else moved onto the
/// nearest area as far as it takes to show the whole frame there (its top-left corner first, when it is
/// larger than the area).
QPoint reachableFramePosition(const QRect& frame, int titleHeight, const QList<QRect>& areas);

/// Where the frame's top-left corner goes so that the whole frame lies on a screen: unchanged when it does
/// already, else moved onto the nearest area as far as it takes (its top-left corner first, when it is
/// larger than the area).
QPoint insideFramePosition(const QRect& frame, const QList<QRect>& areas);

/// True when a window of this size, scaled by m/d (both above zero), still has a size a widget can have
/// (QWIDGETSIZE_MAX at most each way), whether or not it fits on a screen.
bool scaledSizeRepresentable(const QSize& size, int m, int d);
