#include "app/activationtracker.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

ActivationTracker::ActivationTracker(QWidget* mainWindow, std::function<void()> onActivate)
    : QObject(nullptr), m_main(mainWindow), m_onActivate(std::move(onActivate))
{
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &ActivationTracker::focusWindowChanged);
}

void ActivationTracker::focusWindowChanged(QWindow* window)
{
    // Focus leaving the program altogether changes nothing: coming back from another application is no
    // activation. Menus and tooltips never hold the focus for our purposes.
    if (!window || window->type() == Qt::Popup || window->type() == Qt::ToolTip)
        return;
    if (window == m_main->windowHandle()) {
        const bool activate = !m_activatedOnce || m_cameFromOtherWindow;
        m_activatedOnce = true;
        m_cameFromOtherWindow = false;
        if (activate)
            m_onActivate();
        return;
    }
    m_cameFromOtherWindow = window->modality() == Qt::NonModal;
}
