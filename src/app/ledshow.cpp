#include "app/ledshow.h"

#include <QTimer>

#include "common/guardedconnect.h"
#include "platform/keyboardleds.h"
#include "platform/platform.h"

namespace {
constexpr int NumLock = 144;
constexpr int CapsLock = 20;
constexpr int ScrollLock = 145;
} // namespace

std::vector<int> ledShowKeys(int step)
{
    switch (step) {
    case 1:
        return {NumLock};
    case 2:
        return {CapsLock};
    case 3:
        return {ScrollLock};
    case 4:
        return {NumLock, ScrollLock, CapsLock};
    default:
        return {};
    }
}

LedShow::LedShow(platform::Platform& platform, QTimer& tick) : m_platform(platform), m_tick(tick)
{
    connectGuarded(&tick, &QTimer::timeout, this, &LedShow::Timer5Timer);
}

void LedShow::Timer5Timer()
{
    LedStep += 1;
    auto& keyboard = m_platform.get<platform::KeyboardLeds>();
    for (const int key : ledShowKeys(LedStep))
        keyboard.toggleLight(key);
    if (LedStep == 4) {
        keyboard.endShow();
        m_tick.stop();
    }
}
