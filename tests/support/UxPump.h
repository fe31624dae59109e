#pragma once

#include "platform/event/Clock.h"
#include "ux/core/UxClock.h"
#include "ux/core/UxTimerManager.h"

#include <cstdint>

// Runs due timer ticks for ms milliseconds of manual time, taking the clock's turn
// before each message as the message loop does.
inline void UxPumpFor(uint64_t ms)
{
    plat::PumpFor(ms, [] {
        if (UxClock* clock = UxClock::GetInstance())
            clock->Update();
    });
}

// A manual clock with the toolkit's clock and timer manager on it, for one test.
class UxTimeFixture {
public:
    explicit UxTimeFixture(uint64_t startMs = 5000)
        : manual(startMs)
    {
        clock->Update();
    }
    ~UxTimeFixture()
    {
        delete timers;
        delete clock;
    }
    UxTimeFixture(const UxTimeFixture&) = delete;
    UxTimeFixture& operator=(const UxTimeFixture&) = delete;

    plat::ManualClock manual;
    UxClock* clock = new UxClock;
    UxTimerManager* timers = new UxTimerManager;
};
