#pragma once

#include <QObject>
#include <functional>

class QMouseEvent;
class QWidget;

// Mouse handlers for widgets that have no signal of their own for them (labels, panels, pictures, shapes).
// The filter is owned by the widget.
namespace MouseHandlers {

/// A left-button click: press and release on the widget.
void onClick(QWidget* widget, std::function<void()> handler);
void onDoubleClick(QWidget* widget, std::function<void()> handler);
/// Any button pressed on the widget.
void onMouseDown(QWidget* widget, std::function<void(QMouseEvent*)> handler);
void onMouseUp(QWidget* widget, std::function<void(QMouseEvent*)> handler);
/// Movement over the widget (mouse tracking is switched on).
void onMouseMove(QWidget* widget, std::function<void(QMouseEvent*)> handler);

} // namespace MouseHandlers
