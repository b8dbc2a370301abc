#pragma once

#include <QObject>

#include "app/brundan.h"

class QLabel;
class QPushButton;
class QTimer;
class QWidget;
class TStatusBar;
class Shell;

// The moving decoration of the main window: the clock (Timer1), the start-up fade-in (Timer2), and the
// running line with the animated caption and exit button (Timer6, switched by a mouse-down on Shape1).
class Tickers final : public QObject
{
    Q_OBJECT
public:
    struct Timers
    {
        QTimer& clock;       // Timer1
        QTimer& fadeIn;      // Timer2
        QTimer& runningLine; // Timer6
    };
    /// The window's controls the tickers write to or take presses from.
    struct Widgets
    {
        TStatusBar& StatusBar1; // the clock panel
        QLabel& Label33;        // hours
        QLabel& Label34;        // the blinking colon
        QLabel& Label35;        // minutes
        QPushButton& BitBtn3;   // the exit button's animated caption
        QLabel& Label6;         // the running line
        QWidget& Shape1;        // the shape over the running line
    };
    Tickers(Shell& shell, Widgets widgets, Timers timers);

    /// The two animators and the running line get their texts and first positions.
    void setUpAnimators();
    /// The window starts 30 % opaque.
    void startFadeIn();

    void Timer1Timer();
    void Timer2Timer();
    void Timer6Timer();
    void Shape1MouseDown();
    /// Writes the next frame of the running line into Label6.
    void runningLineStep();

    /// The opacity last given to the window, 0 to 255.
    int opacityAlpha() const { return m_alpha; }

    TBrundan CaptionAnimator;
    TBrundan ExitButtonAnimator;
    QString RunningLine;
    qint32 RunningLinePos = 1;
    qint32 FadeLevel = 30;

signals:
    /// The clock has shown the next second (the player takes its share of the tick from here).
    void clockTicked();
    /// The window has become fully opaque (the companion start list opens its entries then).
    void fadeInFinished();

private:
    void applyOpacity();

    Shell& m_shell;
    Widgets m_widgets;
    Timers m_timers;
    int m_alpha = 255;
};
