#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QTime>

// Time as timer-driven features see it. Tests install a fake one with Clock::setInstance.
class Clock
{
public:
    virtual ~Clock() = default;
    /// The wall-clock date and time.
    virtual QDateTime now() const = 0;
    /// Milliseconds of a monotonic clock; only differences mean anything.
    virtual qint64 monotonicMs() const = 0;

    QTime timeOfDay() const { return now().time(); }
    QDate today() const { return now().date(); }

    static Clock& instance();
    /// Replaces the clock (nullptr brings back the system clock); the caller keeps ownership.
    static void setInstance(Clock* clock);
};

class SystemClock final : public Clock
{
public:
    SystemClock() { m_elapsed.start(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 monotonicMs() const override { return m_elapsed.elapsed(); }

private:
    QElapsedTimer m_elapsed;
};
