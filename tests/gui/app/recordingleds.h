#pragma once

#include <QList>
#include <map>

#include "platform/keyboardleds.h"

// Records the light changes instead of showing them on the tester's keyboard, and keeps the lights and locks a
// keyboard would have: a light changes alone, its lock never does.
class RecordingKeyboardLeds final : public platform::KeyboardLeds
{
public:
    void toggleLight(int virtualKey) override
    {
        toggled.append(virtualKey);
        lights[virtualKey] = !lights[virtualKey];
    }
    void endShow() override
    {
        ++showsEnded;
        lights = locks;
    }

    QList<int> toggled; // virtual keys, in order
    int showsEnded = 0;
    std::map<int, bool> locks{{144, true}, {20, false}, {145, false}};
    std::map<int, bool> lights = locks;
};
