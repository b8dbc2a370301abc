#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;
class QWindow;

// Decides when the main window counts as activated: at its first activation, and whenever focus comes back
// to it from another non-modal window of the program. Returning from a modal box or dialog, or from another
// application, does not count.
class ActivationTracker final : public QObject
{
    Q_OBJECT
public:
    ActivationTracker(QWidget* mainWindow, std::function<void()> onActivate);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void focusWindowChanged(QWindow* window);
    void activate();

    QWidget* m_main;
    std::function<void()> m_onActivate;
    bool m_activatedOnce = false;
    bool m_cameFromOtherWindow = false;
};
