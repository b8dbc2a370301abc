#include "system/scangag.h"

QString ScanGag::prefix()
{
    return QStringLiteral("Все \"лишние\" файлы система удалит через -> ");
}

QString ScanGag::finalText()
{
    return QStringLiteral("Все диски успешно Форматированы.");
}

ScanGag::Tick ScanGag::tick()
{
    // The word changes only at 4, 1 and 0; in between it keeps what it last became.
    if (ScanCountdown == 4)
        ScanUnitWord = QStringLiteral(" секунды");
    else if (ScanCountdown == 1)
        ScanUnitWord = QStringLiteral(" секунда");
    else if (ScanCountdown == 0)
        ScanUnitWord = QStringLiteral(" секунд");
    Tick result{prefix() + QString::number(ScanCountdown) + ScanUnitWord, false};
    --ScanCountdown;
    if (ScanCountdown >= 0)
        return result;
    return {finalText(), true};
}
