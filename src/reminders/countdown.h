#pragma once

#include <QtGlobal>

// Hours, minutes and seconds as the three fields hold them (not necessarily normalised: a pasted "70"
// minutes is kept as such).
struct Hms
{
    int h = 0;
    int m = 0;
    int s = 0;
    bool operator==(const Hms&) const = default;
};

// The countdown measured against a monotonic deadline, so late ticks do not stretch it. The fields go on
// showing the remaining time the way a per-second decrement with borrow would show it.
class Countdown final
{
public:
    struct Tick
    {
        Hms shown;
        bool fire = false;
    };

    /// Starts from the fields' values at the given monotonic time.
    void start(const Hms& fields, qint64 nowMs);
    /// What the fields show at this moment, and whether the time is up.
    Tick tick(qint64 nowMs) const;

private:
    Hms m_start;
    qint64 m_deadlineMs = 0;
};

/// The fields for a remaining number of seconds, counted down from the starting fields with the borrow
/// rule: seconds run out first, then a minute becomes 59 seconds, then an hour 59 minutes 59 seconds.
Hms remainingFields(const Hms& start, qint64 remainingSeconds);
