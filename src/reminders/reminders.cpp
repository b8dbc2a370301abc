#include "reminders/reminders.h"

#include "reminders/alarmclock.h"
#include "reminders/countdowntimer.h"

Reminders::Reminders(Ui::RemindPage& ui, Shell& shell, QTimer& TIMER, QTimer& BUDIL, std::function<TMessia*()> messia)
    : m_timer(std::make_unique<CountdownTimer>(ui, shell, TIMER, messia)),
      m_alarm(std::make_unique<AlarmClock>(ui, shell, BUDIL, messia))
{}

Reminders::~Reminders() = default;
