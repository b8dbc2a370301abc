#include "reminders/alarmrule.h"

#include "common/clock.h"

const ReminderRule::Captions& AlarmRule::captions() const
{
    static const Captions captions{QStringLiteral("ПРИНЯТЬ"), QStringLiteral("ОТМЕНА"), QStringLiteral("Будильник"),
                                   QStringLiteral("Будильник установлен на -> ")};
    return captions;
}

void AlarmRule::start(const Hms& fields, const Clock& clock)
{
    m_watch.arm(fields.h, fields.m, fields.s, clock.now());
}

ReminderRule::Tick AlarmRule::tick(const Clock& clock)
{
    return {std::nullopt, m_watch.tick(clock.now())};
}
