#pragma once

// Periodic and one-shot timers. They have no thread of their own: the thread that waits
// for messages (GetMessageW, PeekMessageW: the UI thread) sleeps until the next tick is
// due and runs the callback there, which should only post a message. Ids are non-zero
// and never reused; once timeKillEvent has returned, nothing the timer's callback posted
// is still queued and nothing more comes.

#include "platform/event/Message.h"

#include <cstddef>
#include <cstdint>

namespace plat {

using LPTIMECALLBACK
    = void (*)(UINT id, UINT message, uintptr_t user, uintptr_t reserved1, uintptr_t reserved2);

constexpr UINT TIME_ONESHOT = 0x0000;
constexpr UINT TIME_PERIODIC = 0x0001;
constexpr UINT TIMERR_NOERROR = 0;
constexpr UINT MMSYSERR_INVALPARAM = 11;
constexpr UINT TIMERR_NOCANDO = 97;

struct TIMECAPS {
    UINT wPeriodMin = 0;
    UINT wPeriodMax = 0;
};

// Live timers at most; beyond that timeSetEvent fails like a system out of timers.
constexpr size_t kMaxTimers = 1024;

// Periods from 1 ms to 1,000,000 ms.
UINT timeGetDevCaps(TIMECAPS* caps, UINT size);

// First tick after delay ms, then every delay ms when periodic. Returns the id, or 0 when
// delay is outside the device's periods, the callback is null or no timer is left.
UINT timeSetEvent(UINT delay, UINT resolution, LPTIMECALLBACK callback, uintptr_t user, UINT flags);
UINT timeKillEvent(UINT id);

} // namespace plat
