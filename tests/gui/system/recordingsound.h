#pragma once

#include <QStringList>

#include "platform/sound.h"

// Records the tones and sounds the program asks for instead of playing them, as "beep 880 200",
// "play <file>" and "error".
class RecordingSound final : public platform::Sound
{
public:
    void errorBeep() override { requests << QStringLiteral("error"); }
    void beep(int frequency, int durationMs) override
    {
        requests << QStringLiteral("beep %1 %2").arg(frequency).arg(durationMs);
    }
    void playFile(const std::string& path) override
    {
        requests << QStringLiteral("play ") + QString::fromStdString(path);
    }

    QStringList requests;
};
