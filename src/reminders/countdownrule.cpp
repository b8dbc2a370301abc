#include "reminders/countdownrule.h"

#include "common/clock.h"

const ReminderRule::Captions& CountdownRule::captions() const
{
    static const Captions captions{QStringLiteral("ЗАПУСК"), QStringLiteral("СТОП"), QStringLiteral("Таймер"),
                                   QStringLiteral("Таймер установлен на -> ")};
    return captions;
}

void CountdownRule::start(const Hms& fields, const Clock& clock)
{
    m_countdown.start(fields, clock.monotonicMs());
}

ReminderRule::Tick CountdownRule::tick(const Clock& clock)
{
    const Countdown::Tick tick = m_countdown.tick(clock.monotonicMs());
    return {tick.fire ? Hms{} : tick.shown, tick.fire};
}
