#pragma once

#include <QObject>
#include <functional>

#include "reminders/alarmwatch.h"
#include "reminders/reminderoptions.h"
#include "reminders/timefields.h"

namespace Ui {
class Form1;
}
class QTimer;
class Shell;
class TMessia;

// The group "Будильник": arming and disarming, the tick that watches the time of day, and the firing.
class AlarmClock final : public QObject
{
public:
    AlarmClock(Ui::Form1& ui, Shell& shell, QTimer& timer, std::function<TMessia*()> messia);

    /// Start-up: the hour and minute fields take the current time, their bars the negated values.
    void initFields();
    void BitBtn14Click();
    void BUDILTimer();
    void ScrollBar4Scroll(int position);
    void ScrollBar5Scroll(int position);
    void ScrollBar6Scroll(int position);
    void Panel12Click() { m_options.panelClick(); }
    void Label79Click() { m_options.fileLabelClick(); }
    void CheckBox15Click() { m_options.messageCheckClick(); }

    const ReminderOptions& options() const { return m_options; }

private:
    bool armed() const;
    void setScrollBarsVisible(bool on);

    Ui::Form1& ui;
    QTimer& m_timer;
    TimeFields m_fields;
    ReminderOptions m_options;
    AlarmWatch m_watch;
};
