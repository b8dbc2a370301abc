#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <cstddef>
#include <functional>
#include <vector>

class LatePage;
class QWidget;

// Makes the controls of the window's pages that wait for it, one page per turn of the event loop, once the
// window has been drawn for the first time and holds the focus: the user has the window first. A window that
// is not drawn or not given the focus at start (a start in the tray, focus-stealing prevention) gets them a
// moment after its first activation. A page the user opens before its turn is made at once by the page itself.
class LatePages final : public QObject
{
    Q_OBJECT
public:
    LatePages(QWidget* window, std::vector<LatePage*> pages);

    /// Every page's controls exist.
    bool allBuilt() const;
    /// Starts making them a moment after the first activation, unless the first paint and focus come sooner.
    void windowActivated();
    /// Runs `step` once every page is made: at once when they are.
    void afterwards(std::function<void()> step);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startWhenSeen();
    void startBuilding();
    void buildNext();

    QWidget* m_window;
    QTimer m_nextTurn;
    std::vector<QPointer<LatePage>> m_pages;
    std::vector<std::function<void()>> m_afterwards;
    std::size_t m_next = 0;
    bool m_started = false;
    bool m_drawn = false;
    bool m_focused = false;
    bool m_waitingForActivation = true;
};
