#include "app/clocktext.h"

#include "common/strtoint.h"

QString clockPanelText(const QTime& time)
{
    return QLatin1Char(' ') + QString::number(time.hour()) + QLatin1Char(':') + TwoDigits(time.minute()) +
           QLatin1Char(':') + TwoDigits(time.second());
}
