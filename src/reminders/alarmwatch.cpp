#include "reminders/alarmwatch.h"

namespace {

QDateTime wholeSecond(const QDateTime& t)
{
    QDateTime result = t;
    result.setTime(QTime(t.time().hour(), t.time().minute(), t.time().second()));
    return result;
}

} // namespace

void AlarmWatch::arm(int hour, int minute, int second, const QDateTime& now)
{
    m_alarm = QTime::isValid(hour, minute, second) ? QTime(hour, minute, second) : QTime();
    m_previous = wholeSecond(now);
}

bool AlarmWatch::tick(const QDateTime& now)
{
    const QDateTime current = wholeSecond(now);
    if (!m_alarm.isValid() || current <= m_previous) {
        if (current < m_previous)
            m_previous = current;
        return false;
    }
    QDateTime next(m_previous.date(), m_alarm);
    if (next <= m_previous)
        next = QDateTime(m_previous.date().addDays(1), m_alarm);
    m_previous = current;
    return next <= current;
}
