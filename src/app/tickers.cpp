#include "app/tickers.h"

#include <QMouseEvent>

#include "app/clocktext.h"
#include "app/tform1.h"
#include "common/clickfilter.h"
#include "common/clock.h"
#include "common/strtoint.h"
#include "ui_Form1.h"

Tickers::Tickers(TForm1& form, Ui::Form1& ui) : m_form(form), m_ui(ui)
{
    connect(&form.Timer1, &QTimer::timeout, this, &Tickers::Timer1Timer);
    connect(&form.Timer2, &QTimer::timeout, this, &Tickers::Timer2Timer);
    connect(&form.Timer6, &QTimer::timeout, this, &Tickers::Timer6Timer);
    // The running line lies under the shape; the shape takes every press in that corner.
    ui.Label6->setAttribute(Qt::WA_TransparentForMouseEvents);
    MouseHandlers::onMouseDown(ui.Shape1, [this](QMouseEvent*) { Shape1MouseDown(); });
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
    m_form.setWindowOpacity(m_alpha / 255.0);
}

void Tickers::Timer1Timer()
{
    // One reading serves all three parts, so the display never mixes two different seconds.
    const QTime now = Clock::instance().timeOfDay();
    m_ui.StatusBar1->setPanelText(0, clockPanelText(now));
    m_ui.Label33->setText(QString::number(now.hour()));
    m_ui.Label34->setHidden(!m_ui.Label34->isHidden());
    m_ui.Label35->setText(TwoDigits(now.minute()));
    m_form.PlayerTick();
}

void Tickers::Timer2Timer()
{
    if (FadeLevel < 100)
        FadeLevel += 5;
    applyOpacity();
    runningLineStep();
    if (FadeLevel == 100) {
        m_form.RunCompanions();
        m_form.Timer2.stop();
    }
}

void Tickers::Timer6Timer()
{
    runningLineStep();
    m_ui.BitBtn3->setText(NextFrame(ExitButtonAnimator));
    m_form.setWindowTitle(QString(10, QLatin1Char(' ')) + NextFrame(CaptionAnimator));
}

void Tickers::Shape1MouseDown()
{
    if (m_form.Timer6.isActive())
        m_form.Timer6.stop();
    else
        m_form.Timer6.start();
}

void Tickers::runningLineStep()
{
    m_ui.Label6->setText(NextRunningLineFrame(RunningLine, RunningLinePos));
}
