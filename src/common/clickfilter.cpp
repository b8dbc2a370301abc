#include "common/clickfilter.h"

#include <QMouseEvent>
#include <QWidget>

#include "common/errorreport.h"

namespace MouseHandlers {
namespace {

class Filter final : public QObject
{
public:
    Filter(QWidget* widget, QEvent::Type type, std::function<void(QMouseEvent*)> handler, bool clickOnly)
        : QObject(widget), m_type(type), m_handler(std::move(handler)), m_clickOnly(clickOnly)
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != m_type)
            return false;
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (m_clickOnly) {
            auto* widget = static_cast<QWidget*>(watched);
            if (mouse->button() != Qt::LeftButton || !widget->rect().contains(mouse->position().toPoint()))
                return false;
        }
        // An error is reported here rather than thrown through Qt's event delivery, which has no way to unwind:
        // the widget would never get its own release and Qt's state for the event would leak.
        runGuarded([&] { m_handler(mouse); });
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void(QMouseEvent*)> m_handler;
    bool m_clickOnly;
};

} // namespace

void onClick(QWidget* widget, std::function<void()> handler)
{
    new Filter(
        widget, QEvent::MouseButtonRelease, [handler = std::move(handler)](QMouseEvent*) { handler(); }, true);
}

void onDoubleClick(QWidget* widget, std::function<void()> handler)
{
    new Filter(
        widget, QEvent::MouseButtonDblClick, [handler = std::move(handler)](QMouseEvent*) { handler(); }, false);
}

void onMouseDown(QWidget* widget, std::function<void(QMouseEvent*)> handler)
{
    new Filter(widget, QEvent::MouseButtonPress, std::move(handler), false);
}

void onMouseUp(QWidget* widget, std::function<void(QMouseEvent*)> handler)
{
    new Filter(widget, QEvent::MouseButtonRelease, std::move(handler), false);
}

void onMouseMove(QWidget* widget, std::function<void(QMouseEvent*)> handler)
{
    widget->setMouseTracking(true);
    new Filter(widget, QEvent::MouseMove, std::move(handler), false);
}

} // namespace MouseHandlers
