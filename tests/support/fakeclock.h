#pragma once

#include "common/clock.h"

// A clock that only moves when the test says so. Wall time and the monotonic clock move together unless
// a test jumps the wall clock alone.
class FakeClock final : public Clock
{
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 12, 9), QTime(12, 0, 0))) : m_now(std::move(start))
    {
        Clock::setInstance(this);
    }
    ~FakeClock() override { Clock::setInstance(nullptr); }

    QDateTime now() const override { return m_now; }
    qint64 monotonicMs() const override { return m_monotonic; }

    void advanceMs(qint64 ms)
    {
        m_now = m_now.addMSecs(ms);
        m_monotonic += ms;
    }
    void setTimeOfDay(const QTime& time) { m_now.setTime(time); }
    void setNow(const QDateTime& now) { m_now = now; }

private:
    QDateTime m_now;
    qint64 m_monotonic = 1'000'000;
};
