#pragma once

#include <QLocale>
#include <QString>
#include <QtGlobal>
#include <optional>

// What the disk meter shows for one drive, computed from its total and free bytes, the unit box's index
// (0 or -1 Gb, 1 Mb, 2 Kb, 3 byte) and the quantity box's index (0 or -1 free, 1 used, 2 total).
struct DiskMeterView
{
    QString MeterUnit;
    float MeterDivisor = 0;
    float MeterValue = 0;
    QString quantityHint; // the quantity box's hint
    QString freeText;
    QString usedText;
    QString totalText;
    QString percentText;
    int barMaximum = 0;
    int barPosition = 0;
};

/// Null when the drive reports no size (total not above zero).
std::optional<DiskMeterView> diskMeterView(qint64 totalBytes, qint64 freeBytes, int unitIndex, int quantityIndex,
                                           const QLocale& locale);
