#pragma once

#include <QString>

// The information page's mock scan: a 30-second countdown that is spent after the first scan of a run.
class ScanGag final
{
public:
    struct Tick
    {
        QString text;  // what the countdown label shows now
        bool finished; // the countdown is over: its timer stops and the animation hides
    };

    /// One second of the countdown.
    Tick tick();

    int ScanCountdown = 30;
    QString ScanUnitWord = QStringLiteral(" секунд");

    static QString prefix();
    static QString finalText();
};
