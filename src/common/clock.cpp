#include "common/clock.h"

namespace {
Clock* g_clock = nullptr;
}

Clock& Clock::instance()
{
    static SystemClock systemClock;
    return g_clock ? *g_clock : systemClock;
}

void Clock::setInstance(Clock* clock)
{
    g_clock = clock;
}
