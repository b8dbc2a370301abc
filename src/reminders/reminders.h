#pragma once

#include <functional>
#include <memory>

namespace Ui {
class RemindPage;
}
class AlarmClock;
class CountdownTimer;
class QTimer;
class Shell;
class TMessia;

// The page "Не забудь"'s reminders: the countdown timer and the alarm clock, which share the message prompt.
class Reminders final
{
public:
    /// `messia` finds the prompt window, which is made after the main window.
    Reminders(Ui::RemindPage& ui, Shell& shell, QTimer& TIMER, QTimer& BUDIL, std::function<TMessia*()> messia);
    ~Reminders();

    CountdownTimer& timer() { return *m_timer; }
    AlarmClock& alarm() { return *m_alarm; }

private:
    std::unique_ptr<CountdownTimer> m_timer;
    std::unique_ptr<AlarmClock> m_alarm;
};
