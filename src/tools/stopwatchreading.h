#pragma once

#include <QString>
#include <QtGlobal>

// The stopwatch's reading as hours, minutes, seconds and hundredths, each through TwoDigits and joined by
// ":" ("00:01:05:42"); hours go on past 99 ("100:00:00:00").
QString stopwatchReading(qint64 elapsedMs);

// Running time measured on a monotonic clock from the start, so late or missed timer ticks never make the
// reading fall behind. A stop forgets the start: the next start counts from zero again.
class StopwatchTiming final
{
public:
    void start(qint64 nowMs)
    {
        m_startMs = nowMs;
        m_running = true;
    }
    void stop() { m_running = false; }
    bool running() const { return m_running; }
    /// Milliseconds since the start; 0 when stopped. A clock that went backwards reads as 0.
    qint64 elapsedMs(qint64 nowMs) const { return m_running && nowMs > m_startMs ? nowMs - m_startMs : 0; }

private:
    qint64 m_startMs = 0;
    bool m_running = false;
};

// How many lines a plain-text list holds, as the marks list shows them: none when empty, and a final
// line break does not start a further line.
int listLineCount(const QString& text);
