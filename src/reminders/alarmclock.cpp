#include "reminders/alarmclock.h"

#include "common/clock.h"
#include "ui_RemindPage.h"
#include "widgets/tnumedit.h"

AlarmClock::AlarmClock(Ui::RemindPage& ui, Shell& shell, QTimer& timer, std::function<TMessia*()> messia)
    : ui(ui), m_group({ui.GroupBox17,
                       ui.BitBtn14,
                       ui.Shape5,
                       {ui.NumEdit4, ui.NumEdit5, ui.NumEdit6},
                       {ui.ScrollBar4, ui.ScrollBar5, ui.ScrollBar6},
                       {ui.Panel12, ui.CheckBox15, ui.CheckBox16, ui.Label79, ui.ComboBox8}},
                      m_rule, ReminderOptions::Prompt::Alarm, shell, timer, std::move(messia))
{}

void AlarmClock::initFields()
{
    const QTime now = Clock::instance().timeOfDay();
    ui.NumEdit4->SetNumb(static_cast<float>(now.hour()));
    ui.NumEdit5->SetNumb(static_cast<float>(now.minute()));
    ui.ScrollBar4->setValue(-now.hour());
    ui.ScrollBar5->setValue(-now.minute());
}
