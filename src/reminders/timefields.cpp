#include "reminders/timefields.h"

#include "widgets/tnumedit.h"

Hms TimeFields::read() const
{
    return {static_cast<int>(hours->GetNumb()), static_cast<int>(minutes->GetNumb()),
            static_cast<int>(seconds->GetNumb())};
}

void TimeFields::write(const Hms& value) const
{
    hours->SetNumb(static_cast<float>(value.h));
    minutes->SetNumb(static_cast<float>(value.m));
    seconds->SetNumb(static_cast<float>(value.s));
}

void TimeFields::setEnabled(bool on) const
{
    hours->setEnabled(on);
    minutes->setEnabled(on);
    seconds->setEnabled(on);
}

QString TimeFields::caption(const QString& prefix) const
{
    return prefix + hours->text() + QStringLiteral("ч ") + minutes->text() + QStringLiteral("м ") + seconds->text() +
           QStringLiteral("с.");
}
