#include "app/usagecounter.h"

void addOneSecond(UsageTotals& duration)
{
    duration.seconds += 1;
    if (duration.seconds > 59) {
        duration.seconds = 0;
        duration.minutes += 1;
    }
    if (duration.minutes > 59) {
        duration.minutes = 0;
        duration.hours += 1;
    }
    if (duration.hours > 23) {
        duration.hours = 0;
        duration.days += 1;
    }
}

QString FormatDuration(int days, int hours, int minutes, int seconds)
{
    return QString::number(days) + QStringLiteral(" д ") + QString::number(hours) + QStringLiteral(" ч ") +
           QString::number(minutes) + QStringLiteral(" м ") + QString::number(seconds) + QStringLiteral(" с");
}

QString FormatDuration(const UsageTotals& duration)
{
    return FormatDuration(duration.days, duration.hours, duration.minutes, duration.seconds);
}
