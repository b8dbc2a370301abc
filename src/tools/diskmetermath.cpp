#include "tools/diskmetermath.h"

#include <algorithm>
#include <limits>

#include "common/numberformats.h"

namespace {

constexpr qint64 GiB = qint64(1) << 30;

int clampedInt(qint64 value)
{
    return int(std::clamp<qint64>(value, 0, std::numeric_limits<int>::max()));
}

} // namespace

std::optional<DiskMeterView> diskMeterView(qint64 totalBytes, qint64 freeBytes, int unitIndex, int quantityIndex,
                                           const QLocale& locale)
{
    if (totalBytes <= 0)
        return std::nullopt;
    DiskMeterView view;
    switch (unitIndex) {
    case 1:
        view.MeterUnit = QStringLiteral("Mb");
        view.MeterDivisor = 1048576.0f;
        break;
    case 2:
        view.MeterUnit = QStringLiteral("Kb");
        view.MeterDivisor = 1024.0f;
        break;
    case 3:
        view.MeterUnit = QStringLiteral("byte");
        view.MeterDivisor = 1.0f;
        break;
    default:
        view.MeterUnit = QStringLiteral("Gb");
        view.MeterDivisor = 1073741824.0f;
        break;
    }
    // Extended precision holds every 64-bit byte count exactly, and the divisors are powers of two.
    const long double divisor = view.MeterDivisor;
    const long double total = static_cast<long double>(totalBytes) / divisor;
    const long double free = static_cast<long double>(freeBytes) / divisor;
    long double chosen = free;
    if (quantityIndex == 1)
        chosen = total - free;
    else if (quantityIndex == 2)
        chosen = total;
    view.MeterValue = float(chosen);

    const QString unit = QLatin1Char(' ') + view.MeterUnit;
    view.quantityHint = formatAmount(view.MeterValue, 2, locale) + unit;
    view.freeText = formatAmount(free, 2, locale) + unit;
    view.usedText = formatAmount(static_cast<long double>(totalBytes - freeBytes) / divisor, 2, locale) + unit;
    view.totalText = formatAmount(total, 2, locale) + unit;
    view.barMaximum = clampedInt(totalBytes / GiB);
    view.percentText =
        formatAmount(static_cast<long double>(view.MeterValue) / (total * 0.01L), 0, locale) + QLatin1Char('%');
    view.barPosition = clampedInt(view.barMaximum - freeBytes / GiB);
    return view;
}
