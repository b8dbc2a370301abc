#pragma once

#include <QObject>
#include <functional>

#include "reminders/countdown.h"
#include "reminders/reminderoptions.h"
#include "reminders/timefields.h"

namespace Ui {
class Form1;
}
class QTimer;
class Shell;
class TMessia;

// The group "Таймер": start and stop, the countdown tick and what it does when the time is up.
class CountdownTimer final : public QObject
{
public:
    CountdownTimer(Ui::Form1& ui, Shell& shell, QTimer& timer, std::function<TMessia*()> messia);

    void BitBtn13Click();
    void TIMERTimer();
    /// The field beside a bar follows the bar only while the timer is idle.
    void ScrollBar1Scroll(int position);
    void ScrollBar2Scroll(int position);
    void ScrollBar3Scroll(int position);
    void GroupBox12MouseMove();
    void Panel11Click() { m_options.panelClick(); }
    void Label78Click() { m_options.fileLabelClick(); }
    void CheckBox14Click() { m_options.messageCheckClick(); }

    const ReminderOptions& options() const { return m_options; }

private:
    bool running() const;

    Ui::Form1& ui;
    Shell& m_shell;
    QTimer& m_timer;
    TimeFields m_fields;
    ReminderOptions m_options;
    Countdown m_countdown;
};
