#pragma once

#include "reminders/countdown.h"
#include "reminders/reminderrule.h"

// The group "Таймер": any time but zero starts it, and every tick shows the remaining time until it is up.
class CountdownRule final : public ReminderRule
{
public:
    const Captions& captions() const override;
    bool hidesBarsWhileRunning() const override { return false; }
    bool accepts(const Hms& fields) const override { return fields != Hms{}; }
    void start(const Hms& fields, const Clock& clock) override;
    Tick tick(const Clock& clock) override;

private:
    Countdown m_countdown;
};
