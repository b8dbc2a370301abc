#pragma once

#include <QStringList>
#include <functional>

#include "platform/opener.h"
#include "platform/power.h"
#include "platform/sound.h"

// Stand-ins for what a firing reminder does to the machine. Each appends to one shared log, so a test sees the
// order; `onEvent` lets a test look at the window at the moment of the call.
struct ReminderLog
{
    QStringList events;
    std::function<void(const QString&)> onEvent;

    void add(const QString& event)
    {
        events << event;
        if (onEvent)
            onEvent(event);
    }
};

class RecordingPower final : public platform::Power
{
public:
    explicit RecordingPower(ReminderLog& log) : m_log(log) {}
    bool request(platform::PowerAction action) override
    {
        const char* names[] = {"logoff", "restart", "poweroff"};
        m_log.add(QStringLiteral("power:") + QLatin1String(names[static_cast<int>(action)]));
        return true;
    }

private:
    ReminderLog& m_log;
};

class RecordingSound final : public platform::Sound
{
public:
    explicit RecordingSound(ReminderLog& log) : m_log(log) {}
    void errorBeep() override { m_log.add(QStringLiteral("beep")); }
    // The reminders never play tones or sound files.
    void beep(int, int) override {}
    void playFile(const std::string&) override {}

private:
    ReminderLog& m_log;
};

class RecordingOpener final : public platform::Opener
{
public:
    explicit RecordingOpener(ReminderLog& log) : m_log(log) {}
    bool open(const std::string& target) override
    {
        m_log.add(QStringLiteral("open:") + QString::fromStdString(target));
        return true;
    }

private:
    ReminderLog& m_log;
};
