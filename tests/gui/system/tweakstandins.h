#pragma once

#include <QList>
#include <QStringList>

#include "platform/commandrunner.h"
#include "platform/keyboardlayout.h"
#include "platform/pointer.h"

// Records the pointer settings instead of changing the tester's mouse.
class PointerRecorder final : public platform::Pointer
{
public:
    void setSpeed(int speed) override { speeds << speed; }
    void swapButtons(bool swapped) override { swaps << swapped; }

    QList<int> speeds;
    QList<bool> swaps;
};

// Records the command lines instead of starting the tester's editor.
class CommandRunnerRecorder final : public platform::CommandRunner
{
public:
    bool run(const std::string& commandLine) override
    {
        commandLines << QString::fromStdString(commandLine);
        return !commandLine.empty();
    }

    QStringList commandLines;
};

// Records the layouts instead of switching the tester's keyboard.
class LayoutRecorder final : public platform::KeyboardLayout
{
public:
    void activate(const std::string& layoutId) override { layouts << QString::fromStdString(layoutId); }

    QStringList layouts;
};
