#include "app/latepages.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "common/errorreport.h"
#include "forms/pagewidget.h"

namespace {

// How long a window that was not drawn waits after its first activation: long enough for a start in the
// tray to settle, short enough that the pages are there before anybody opens one.
constexpr int UndrawnWindowDelayMs = 300;

} // namespace

LatePages::LatePages(QWidget* window, std::vector<LatePage*> pages) : QObject(window), m_window(window)
{
    for (LatePage* page : pages)
        m_pages.emplace_back(page);
    m_window->installEventFilter(this);
    // A timer of its own rather than a posted call: it fires once the events already waiting, the ones that
    // came with the first paint and the focus, have been delivered.
    m_nextTurn.setSingleShot(true);
    m_nextTurn.setInterval(0);
    connect(&m_nextTurn, &QTimer::timeout, this, [this] {
        if (m_started)
            buildNext();
        else
            startBuilding();
    });
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focused) {
        m_focused = focused && focused == m_window->windowHandle();
        startWhenSeen();
    });
}

bool LatePages::allBuilt() const
{
    for (const QPointer<LatePage>& page : m_pages) {
        if (page && !page->built())
            return false;
    }
    return true;
}

void LatePages::afterwards(std::function<void()> step)
{
    if (allBuilt())
        step();
    else
        m_afterwards.push_back(std::move(step));
}

void LatePages::windowActivated()
{
    if (!m_waitingForActivation)
        return;
    m_waitingForActivation = false;
    QTimer::singleShot(UndrawnWindowDelayMs, this, &LatePages::startBuilding);
}

bool LatePages::eventFilter(QObject* watched, QEvent* event)
{
    // The native window exists from the first show; its first expose is drawn before the next turn of the loop.
    if (watched == m_window && event->type() == QEvent::Show && m_window->windowHandle())
        m_window->windowHandle()->installEventFilter(this);
    else if (watched == m_window->windowHandle() && event->type() == QEvent::Expose &&
             m_window->windowHandle()->isExposed()) {
        m_drawn = true;
        startWhenSeen();
    }
    return false;
}

void LatePages::startWhenSeen()
{
    // Drawn and holding the focus: the user has the window, and the pages come on the loop's next turns.
    if (m_drawn && m_focused && !m_started)
        m_nextTurn.start();
}

void LatePages::startBuilding()
{
    if (m_started)
        return;
    m_started = true;
    disconnect(qGuiApp, &QGuiApplication::focusWindowChanged, this, nullptr);
    m_window->removeEventFilter(this);
    if (QWindow* native = m_window->windowHandle())
        native->removeEventFilter(this);
    buildNext();
}

void LatePages::buildNext()
{
    while (m_next < m_pages.size()) {
        const QPointer<LatePage> page = m_pages[m_next++];
        if (page && !page->built()) {
            // A page that failed to build is reported and not tried again by this loop; opening it tries again.
            runGuarded([&page] { page->build(); });
            m_nextTurn.start();
            return;
        }
    }
    // A step may ask for another.
    std::vector<std::function<void()>> steps;
    steps.swap(m_afterwards);
    for (const std::function<void()>& step : steps)
        runGuarded(step);
}
