#pragma once

#include <functional>

#include "reminders/countdownrule.h"
#include "reminders/remindergroup.h"

namespace Ui {
class RemindPage;
}
class QTimer;
class Shell;
class TMessia;

// The group "Таймер": start and stop, the countdown tick and what it does when the time is up.
class CountdownTimer final
{
public:
    CountdownTimer(Ui::RemindPage& ui, Shell& shell, QTimer& timer, std::function<TMessia*()> messia);

    void BitBtn13Click() { m_group.buttonClick(); }
    void TIMERTimer() { m_group.timerTick(); }
    /// The field beside a bar follows the bar only while the timer is idle.
    void ScrollBar1Scroll(int position) { m_group.barScroll(0, position); }
    void ScrollBar2Scroll(int position) { m_group.barScroll(1, position); }
    void ScrollBar3Scroll(int position) { m_group.barScroll(2, position); }
    void GroupBox12MouseMove();
    void Panel11Click() { m_group.options().panelClick(); }
    void Label78Click() { m_group.options().fileLabelClick(); }
    void CheckBox14Click() { m_group.options().messageCheckClick(); }

    const ReminderOptions& options() const { return m_group.options(); }

private:
    Shell& m_shell;
    CountdownRule m_rule;
    ReminderGroup m_group;
};
