#include "reminders/countdown.h"

namespace {

qint64 totalSeconds(const Hms& t)
{
    return qint64(t.h) * 3600 + qint64(t.m) * 60 + t.s;
}

} // namespace

void Countdown::start(const Hms& fields, qint64 nowMs)
{
    m_start = fields;
    m_deadlineMs = nowMs + totalSeconds(fields) * 1000;
}

Countdown::Tick Countdown::tick(qint64 nowMs) const
{
    // Rounded to the nearest second: a tick a few milliseconds early or late shows the same field values.
    const qint64 leftMs = m_deadlineMs - nowMs;
    const qint64 left = leftMs >= 0 ? (leftMs + 500) / 1000 : -((-leftMs + 499) / 1000);
    if (left <= 0)
        return {Hms{}, true};
    return {remainingFields(m_start, left), false};
}

Hms remainingFields(const Hms& start, qint64 remainingSeconds)
{
    const qint64 hoursPart = qint64(start.h) * 3600;
    const qint64 minutesPart = hoursPart + qint64(start.m) * 60;
    if (remainingSeconds >= minutesPart)
        return {start.h, start.m, int(remainingSeconds - minutesPart)};
    if (remainingSeconds >= hoursPart) {
        const qint64 rest = remainingSeconds - hoursPart;
        return {start.h, int(rest / 60), int(rest % 60)};
    }
    return {int(remainingSeconds / 3600), int(remainingSeconds % 3600 / 60), int(remainingSeconds % 60)};
}
