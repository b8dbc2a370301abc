#include "common/clickfilter.h"

#include <QMouseEvent>
#include <QWidget>
#include <utility>

#include "common/errorreport.h"

namespace MouseHandlers {
namespace {

class Filter final : public QObject
{
public:
    Filter(QWidget* widget, QEvent::Type type, std::function<void(QMouseEvent*)> handler)
        : QObject(widget), m_type(type), m_handler(std::move(handler))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() != m_type)
            return false;
        auto* mouse = static_cast<QMouseEvent*>(event);
        // An error is reported here rather than thrown through Qt's event delivery, which has no way to unwind:
        // the widget would never get its own release and Qt's state for the event would leak.
        runGuarded([&] { m_handler(mouse); });
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void(QMouseEvent*)> m_handler;
};

// A click is a left press and its release on the widget. The release that ends a double-click is no click of
// its own: the double-click's first press and release were one already.
class ClickFilter final : public QObject
{
public:
    ClickFilter(QWidget* widget, std::function<void()> handler) : QObject(widget), m_handler(std::move(handler))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                m_endsDoubleClick = event->type() == QEvent::MouseButtonDblClick;
            return false;
        case QEvent::MouseButtonRelease:
            break;
        default:
            return false;
        }
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        const bool endsDoubleClick = std::exchange(m_endsDoubleClick, false);
        if (endsDoubleClick || !static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint()))
            return false;
        runGuarded(m_handler);
        return false;
    }

private:
    std::function<void()> m_handler;
    bool m_endsDoubleClick = false;
};

} // namespace

void onClick(QWidget* widget, std::function<void()> handler)
{
    new ClickFilter(widget, std::move(handler));
}

void onDoubleClick(QWidget* widget, std::function<void()> handler)
{
    new Filter(widget, QEvent::MouseButtonDblClick, [handler = std::move(handler)](QMouseEvent*) { handler(); });
}

void onMouseDown(QWidget* widget, std::function<void(QMouseEvent*)> handler)
{
    new Filter(widget, QEvent::MouseButtonPress, std::move(handler));
}

void onMouseUp(QWidget* widget, std::function<void(QMouseEvent*)> handler)
{
    new Filter(widget, QEvent::MouseButtonRelease, std::move(handler));
}

void onMouseMove(QWidget* widget, std::function<void(QMouseEvent*)> handler)
{
    widget->setMouseTracking(true);
    new Filter(widget, QEvent::MouseMove, std::move(handler));
}

} // namespace MouseHandlers
