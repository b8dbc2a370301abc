#pragma once

class QWidget;

// Scales a window like the classic form ScaleBy: every control's position, size and explicitly set font by
// m/d, rounded to the nearest pixel; controls placed by a layout are left to it.
void scaleWidgetTree(QWidget* root, int m, int d);
