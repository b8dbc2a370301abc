#pragma once

#include <QString>

#include "reminders/countdown.h"

class TNumEdit;

// The three numeric fields of a reminder group: hours, minutes, seconds.
struct TimeFields
{
    TNumEdit* hours;
    TNumEdit* minutes;
    TNumEdit* seconds;

    /// Reads all three (truncated toward zero); throws ConvertError on a text that is not an integer.
    Hms read() const;
    void write(const Hms& value) const;
    void setEnabled(bool on) const;
    /// "<prefix><h>ч <m>м <s>с." with the fields' texts as typed.
    QString caption(const QString& prefix) const;
};
