#include "app/activationtracker.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

ActivationTracker::ActivationTracker(QWidget* mainWindow, std::function<void()> onActivate)
    : QObject(nullptr), m_main(mainWindow), m_onActivate(std::move(onActivate))
{
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &ActivationTracker::focusWindowChanged);
    m_main->installEventFilter(this);
}

bool ActivationTracker::eventFilter(QObject* watched, QEvent* event)
{
    // The first show is the main window's first activation even where the window system gives it no focus
    // (no window manager, focus-stealing prevention, a start in the tray); it runs once the show is complete.
    if (watched == m_main && event->type() == QEvent::Show && !m_activatedOnce)
        QTimer::singleShot(0, this, [this] { activate(); });
    return false;
}

void ActivationTracker::activate()
{
    if (m_activatedOnce)
        return;
    m_activatedOnce = true;
    m_cameFromOtherWindow = false;
    m_onActivate();
}

void ActivationTracker::focusWindowChanged(QWindow* window)
{
    // Focus leaving the program altogether changes nothing: coming back from another application is no
    // activation. Menus and tooltips never hold the focus for our purposes.
    if (!window || window->type() == Qt::Popup || window->type() == Qt::ToolTip)
        return;
    if (window == m_main->windowHandle()) {
        if (!m_activatedOnce) {
            activate();
        } else if (m_cameFromOtherWindow) {
            m_cameFromOtherWindow = false;
            m_onActivate();
        }
        return;
    }
    m_cameFromOtherWindow = window->modality() == Qt::NonModal;
}
