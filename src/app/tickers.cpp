#include "app/tickers.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include "app/clocktext.h"
#include "common/clickfilter.h"
#include "common/clock.h"
#include "common/guardedconnect.h"
#include "common/shell.h"
#include "common/strtoint.h"
#include "widgets/tstatusbar.h"

Tickers::Tickers(Shell& shell, Widgets widgets, Timers timers) : m_shell(shell), m_widgets(widgets), m_timers(timers)
{
    connectGuarded(&timers.clock, &QTimer::timeout, this, &Tickers::Timer1Timer);
    connectGuarded(&timers.fadeIn, &QTimer::timeout, this, &Tickers::Timer2Timer);
    connectGuarded(&timers.runningLine, &QTimer::timeout, this, &Tickers::Timer6Timer);
    // The running line lies under the shape; the shape takes every press in that corner.
    widgets.Label6.setAttribute(Qt::WA_TransparentForMouseEvents);
    MouseHandlers::onMouseDown(&widgets.Shape1, [this](QMouseEvent*) { Shape1MouseDown(); });
}

void Tickers::setUpAnimators()
{
    CaptionAnimator.Text = QStringLiteral("-=/Тромбус\\=-") + QString(89, QLatin1Char(' '));
    CaptionAnimator.Mode = 1;
    CaptionAnimator.Pos = 1;
    ExitButtonAnimator.Text = QStringLiteral("|> Выход <|");
    ExitButtonAnimator.Mode = 3;
    ExitButtonAnimator.Span = -1;
    ExitButtonAnimator.Pos = 1;
    RunningLine = QStringLiteral("Брунд Супер программист  ");
    RunningLinePos = 1;
}

void Tickers::startFadeIn()
{
    FadeLevel = 30;
    applyOpacity();
}

void Tickers::applyOpacity()
{
    m_alpha = FadeLevel * 255 / 100;
    // A Wayland client cannot set its window's opacity (the compositor alone decides), and Qt's Wayland windows
    // warn at every attempt: there the window is shown opaque from the start.
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        m_shell.setOpacity(m_alpha);
}

void Tickers::Timer1Timer()
{
    // One reading serves all three parts, so the display never mixes two different seconds.
    const QTime now = Clock::instance().timeOfDay();
    m_widgets.StatusBar1.setPanelText(0, clockPanelText(now));
    m_widgets.Label33.setText(QString::number(now.hour()));
    m_widgets.Label34.setHidden(!m_widgets.Label34.isHidden());
    m_widgets.Label35.setText(TwoDigits(now.minute()));
    emit clockTicked();
}

void Tickers::Timer2Timer()
{
    if (FadeLevel < 100)
        FadeLevel += 5;
    applyOpacity();
    runningLineStep();
    if (FadeLevel == 100) {
        m_timers.fadeIn.stop();
        emit fadeInFinished();
    }
}

void Tickers::Timer6Timer()
{
    runningLineStep();
    m_widgets.BitBtn3.setText(NextFrame(ExitButtonAnimator));
    m_shell.setCaption(QString(10, QLatin1Char(' ')) + NextFrame(CaptionAnimator));
}

void Tickers::Shape1MouseDown()
{
    if (m_timers.runningLine.isActive())
        m_timers.runningLine.stop();
    else
        m_timers.runningLine.start();
}

void Tickers::runningLineStep()
{
    m_widgets.Label6.setText(NextRunningLineFrame(RunningLine, RunningLinePos));
}
