#pragma once

#include <QList>
#include <QStringList>

#include "layoutrecorder.h"
#include "platform/commandrunner.h"
#include "platform/linux/pointersettings.h"
#include "platform/pointer.h"
#include <map>
#include <tuple>

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

// Records what one place of the pointer's settings is asked, and answers whether it applies.
class PointerSettingsRecorder final : public platform::detail::PointerSettings
{
public:
    explicit PointerSettingsRecorder(bool applies = true) : m_applies(applies) {}
    bool setSpeed(int speed) override
    {
        speeds << speed;
        return m_applies;
    }
    bool setLeftHanded(bool leftHanded) override
    {
        swaps << leftHanded;
        return m_applies;
    }

    QList<int> speeds;
    QList<bool> swaps;

private:
    bool m_applies;
};

// Input devices with the properties of the libinput driver, whose changes are recorded instead of reaching the
// tester's mouse.
class DevicePropertiesRecorder final : public platform::detail::InputDeviceProperties
{
public:
    std::vector<int> pointersWith(const std::string& property) override
    {
        std::vector<int> found;
        for (const auto& [device, properties] : devices)
            if (properties.contains(QString::fromStdString(property)))
                found.push_back(device);
        return found;
    }
    void setFloat(int device, const std::string& property, float value) override
    {
        floats << std::make_tuple(device, QString::fromStdString(property), value);
    }
    void setFlag(int device, const std::string& property, bool value) override
    {
        flags << std::make_tuple(device, QString::fromStdString(property), value);
    }

    std::map<int, QStringList> devices;
    QList<std::tuple<int, QString, float>> floats;
    QList<std::tuple<int, QString, bool>> flags;
};
