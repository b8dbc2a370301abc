#pragma once

#include "reminders/alarmwatch.h"
#include "reminders/reminderrule.h"

// The group "Будильник": any fields arm it (all zero is midnight), its bars hide while it is armed, and a
// tick only watches the time of day; the fields keep the alarm time.
class AlarmRule final : public ReminderRule
{
public:
    const Captions& captions() const override;
    bool hidesBarsWhileRunning() const override { return true; }
    bool accepts(const Hms&) const override { return true; }
    void start(const Hms& fields, const Clock& clock) override;
    Tick tick(const Clock& clock) override;

private:
    AlarmWatch m_watch;
};
