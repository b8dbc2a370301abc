#include "app/windowplacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "app/placementrules.h"

namespace {
// A window manager that keeps the frame elsewhere (to fit rules of its own) is not argued with for ever.
constexpr int MaxRetries = 3;
} // namespace

WindowPlacement::WindowPlacement(QWidget* window) : QObject(window), m_window(window)
{
    m_window->installEventFilter(this);
}

QMargins WindowPlacement::decoration() const
{
    // Asked of the window system rather than taken from the widget, whose copy may lag behind. While the
    // window manager takes the window on, the window system's idea of the window's place passes through
    // other values (the corner of the new frame), and a frame worked out then is no frame.
    const QWindow* handle = m_window->windowHandle();
    if (!handle || handle->geometry().topLeft() != m_window->geometry().topLeft())
        return {};
    const QMargins frame = handle->frameMargins();
    if (frame.left() < 0 || frame.top() < 0 || frame.right() < 0 || frame.bottom() < 0)
        return {};
    // A frame wider or taller than the client only to the right and below is one the window manager has made
    // but not yet put the client into (openbox reparents it at the frame's corner first): no decoration yet.
    if (frame.left() == 0 && frame.top() == 0 && (frame.right() > 0 || frame.bottom() > 0))
        return {};
    return frame;
}

bool WindowPlacement::frameKnown() const
{
    return !decoration().isNull();
}

void WindowPlacement::placeFrame(const QPoint& topLeft, Fit fit)
{
    m_request = Request{topLeft, fit};
    m_retries = 0;
    watchWindowHandle();
    apply();
}

void WindowPlacement::placeAgain(Fit fit)
{
    if (!m_request || m_window->geometry().topLeft() != m_requestedClient) {
        placeFrame(actualFramePosition(), fit);
        return;
    }
    m_retries = 0;
    apply();
}

void WindowPlacement::watchWindowHandle()
{
    QWindow* handle = m_window->windowHandle();
    if (!handle || handle == m_watched)
        return;
    if (m_watched)
        m_watched->removeEventFilter(this);
    m_watched = handle;
    m_watched->installEventFilter(this);
}

QPoint WindowPlacement::target() const
{
    const QRect frame(m_request->topLeft, m_window->size().grownBy(decoration()));
    switch (m_request->fit) {
    case Fit::AsGiven:
        break;
    case Fit::Reachable:
        return reachableFramePosition(frame, titleBarHeight(), screenAreas());
    case Fit::Inside:
        return insideFramePosition(frame, screenAreas());
    }
    return frame.topLeft();
}

void WindowPlacement::apply()
{
    // Moving a minimised window brings it back on some window managers (openbox among them); the placement
    // waits until the window is restored.
    if (m_window->isMinimized())
        return;
    const QMargins frame = decoration();
    const QPoint client = target() + QPoint(frame.left(), frame.top());
    m_requestedClient = client;
    if (frameKnown() && m_window->isVisible() && m_window->geometry().topLeft() == client) {
        // Already there: no move, so no answer from the window manager to wait for.
        m_request.reset();
        return;
    }
    // The client area's place is given directly: where the frame goes then is the window manager's answer,
    // which check() compares with what was meant.
    m_window->setGeometry(QRect(client, m_window->size()));
}

QPoint WindowPlacement::actualFramePosition() const
{
    const QMargins frame = decoration();
    return m_window->geometry().topLeft() - QPoint(frame.left(), frame.top());
}

void WindowPlacement::check()
{
    if (m_request && m_retries >= MaxRetries) {
        m_request.reset();
        return;
    }
    if (!m_request || m_reapplyQueued || !frameKnown() || !m_window->isVisible() || m_window->isMinimized())
        return;
    if (actualFramePosition() == target()) {
        m_request.reset();
        return;
    }
    ++m_retries;
    // Moving the window from inside the delivery of one of its own events is left until that delivery is over.
    m_reapplyQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_reapplyQueued = false;
            if (m_request)
                apply();
        },
        Qt::QueuedConnection);
}

void WindowPlacement::scheduleCheck()
{
    if (!m_request || m_checkQueued)
        return;
    m_checkQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_checkQueued = false;
            check();
        },
        Qt::QueuedConnection);
}

QPoint WindowPlacement::framePosition() const
{
    // A window moved since (by the user, or by anyone but this placement) is where it is now.
    if (m_request && m_window->geometry().topLeft() == m_requestedClient)
        return target();
    return actualFramePosition();
}

QRect WindowPlacement::frameRect() const
{
    return QRect(framePosition(), m_window->size().grownBy(decoration()));
}

int WindowPlacement::titleBarHeight() const
{
    return std::max(decoration().top(), LeastTitleBarHeight);
}

QList<QRect> WindowPlacement::screenAreas()
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window) {
        if (event->type() == QEvent::Show) {
            watchWindowHandle();
            scheduleCheck();
        } else if (event->type() == QEvent::WindowActivate)
            check();
        return false;
    }
    // Only the window system's own reports count: the widget's move and resize events also follow the
    // program's requests at once, before the window manager has answered them. The check waits until the
    // report has reached the widget too.
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Expose:
    case QEvent::UpdateRequest:
        scheduleCheck();
        break;
    default:
        break;
    }
    return false;
}
