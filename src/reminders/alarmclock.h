#pragma once

#include <functional>

#include "reminders/alarmrule.h"
#include "reminders/remindergroup.h"

namespace Ui {
class RemindPage;
}
class QTimer;
class Shell;
class TMessia;

// The group "Будильник": arming and disarming, the tick that watches the time of day, and the firing.
class AlarmClock final
{
public:
    AlarmClock(Ui::RemindPage& ui, Shell& shell, QTimer& timer, std::function<TMessia*()> messia);

    /// Start-up: the hour and minute fields take the current time, their bars the negated values.
    void initFields();
    void BitBtn14Click() { m_group.buttonClick(); }
    void BUDILTimer() { m_group.timerTick(); }
    void ScrollBar4Scroll(int position) { m_group.barScroll(0, position); }
    void ScrollBar5Scroll(int position) { m_group.barScroll(1, position); }
    void ScrollBar6Scroll(int position) { m_group.barScroll(2, position); }
    void Panel12Click() { m_group.options().panelClick(); }
    void Label79Click() { m_group.options().fileLabelClick(); }
    void CheckBox15Click() { m_group.options().messageCheckClick(); }

    const ReminderOptions& options() const { return m_group.options(); }

private:
    Ui::RemindPage& ui;
    AlarmRule m_rule;
    ReminderGroup m_group;
};
