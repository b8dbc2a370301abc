#include "tools/stopwatchreading.h"

#include "common/strtoint.h"

QString stopwatchReading(qint64 elapsedMs)
{
    const qint64 hundredths = elapsedMs / 10;
    const qint64 hours = hundredths / 360000;
    const int minutes = int(hundredths / 6000 % 60);
    const int seconds = int(hundredths / 100 % 60);
    const int rest = int(hundredths % 100);
    const QString hoursText = hours <= 9 ? TwoDigits(int(hours)) : QString::number(hours);
    return hoursText + QLatin1Char(':') + TwoDigits(minutes) + QLatin1Char(':') + TwoDigits(seconds) +
           QLatin1Char(':') + TwoDigits(rest);
}

int listLineCount(const QString& text)
{
    if (text.isEmpty())
        return 0;
    const int breaks = int(text.count(QLatin1Char('\n')));
    return text.endsWith(QLatin1Char('\n')) ? breaks : breaks + 1;
}
