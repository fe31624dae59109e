#pragma once

// The monotonic millisecond clock every timer and animation reads. Tests swap in a
// manual clock so that time only moves when they say so.

#include <cstdint>

namespace plat {

// Milliseconds from the clock source (monotonic, starts near 0 for the real clock).
uint64_t GetTickCount64();
// The same cut to 32 bits: it wraps after about 49.7 days, so differences are taken
// modulo 2^32.
uint32_t timeGetTime();

// While one lives it is the clock source; destroying it restores the real clock.
// Periodic timers are rescheduled from the new clock's time when the source changes.
class ManualClock {
public:
    explicit ManualClock(uint64_t startMs = 0);
    ~ManualClock();
    ManualClock(const ManualClock&) = delete;
    ManualClock& operator=(const ManualClock&) = delete;

    uint64_t Now() const;
    // Moves the time forward (never back) without running timers; see PumpFor for that.
    void Set(uint64_t ms);
    void Advance(uint64_t ms) { Set(Now() + ms); }
};

// Runs, in time order, every timer tick that falls due within the next ms milliseconds:
// the clock is set to each tick's time, the tick is posted and every queued message is
// dispatched. Ends with the clock ms later and the queue drained. Needs a ManualClock
// (without one it only drains the queue). beforeEach runs before every dispatch, as a
// message loop's per-turn work would.
void PumpFor(uint64_t ms, void (*beforeEach)() = nullptr);

} // namespace plat
