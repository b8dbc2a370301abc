#pragma once

#include <QString>

#include "app/settingsstore.h"

/// One second more: seconds roll into minutes after 59, minutes into hours after 59, hours into days after 23.
void addOneSecond(UsageTotals& duration);

/// "<d> д <h> ч <m> м <s> с", each number in plain decimal.
QString FormatDuration(int days, int hours, int minutes, int seconds);
QString FormatDuration(const UsageTotals& duration);
