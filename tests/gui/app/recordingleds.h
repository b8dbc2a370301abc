#pragma once

#include <QList>
#include <QPair>
#include <map>

#include "platform/keyboardleds.h"

// Records the synthesised lock-key events instead of sending them, and keeps the lock states a real
// keyboard would have: every press toggles its lock.
class RecordingKeyboardLeds final : public platform::KeyboardLeds
{
public:
    void keyDown(int virtualKey) override
    {
        events.append({virtualKey, true});
        locks[virtualKey] = !locks[virtualKey];
    }
    void keyUp(int virtualKey) override { events.append({virtualKey, false}); }

    QList<QPair<int, bool>> events; // (virtual key, pressed)
    std::map<int, bool> locks{{144, true}, {20, false}, {145, false}};
};
