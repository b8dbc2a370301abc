#pragma once

#include <QDateTime>

// Decides when an armed alarm goes off: when the time of day has reached or passed the alarm time since the
// previous tick (across midnight too), so a late tick that skips the alarm's second does not push it to the
// next day. Whole seconds count; a clock set back passes nothing.
class AlarmWatch final
{
public:
    /// Arms for the given time of day; an invalid time (a field out of range) never goes off.
    void arm(int hour, int minute, int second, const QDateTime& now);
    /// True once, on the tick at or after the alarm time; the caller disarms.
    bool tick(const QDateTime& now);

private:
    QTime m_alarm;
    QDateTime m_previous;
};
