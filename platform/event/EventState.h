#pragma once

// State shared by windows, the queue and the timers. One lock guards all of it, so that
// killing a timer, destroying a window and posting are ordered against each other.
// Internal to platform/event.

#include "platform/event/Message.h"
#include "platform/event/MessageQueue.h"
#include "platform/event/MultimediaTimer.h"
#include "platform/event/Window.h"

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>

namespace plat::detail {

struct WindowData {
    std::wstring className;
    std::wstring title;
    WNDPROC proc = nullptr;
    intptr_t userData = 0;
    uintptr_t parent = 0;
    RECT rect; // left, top, right, bottom in screen coordinates
    bool visible = false;
    bool destroying = false;
    RECT update; // invalid region, client coordinates; empty when nothing to paint
};

struct QueuedMessage {
    MSG msg;
    UINT sourceTimer = 0; // the timer whose callback posted it, 0 for others
};

struct TimerData {
    UINT period = 0;
    uint64_t due = 0; // clock milliseconds of the next tick
    bool periodic = false;
    bool done = false; // a one-shot whose tick is running
    LPTIMECALLBACK callback = nullptr;
    uintptr_t user = 0;
};

struct EventState {
    std::mutex mutex;
    std::condition_variable queueChanged;
    std::map<std::wstring, WNDCLASSW> classes;
    std::map<std::wstring, std::wstring> classNames; // keeps the name text alive
    std::map<uintptr_t, WindowData> windows; // by handle, which grows: creation order
    uintptr_t lastHandle = 0;
    RECT defaultRect { 0, 0, 480, 640 };
    WindowTitleObserver titleObserver = nullptr;

    std::deque<QueuedMessage> queue;
    bool quit = false;
    int32_t quitCode = 0;
    bool uiWaiting = false;
    EventSource* source = nullptr;
    EventStats stats;
    // The keys held as the key messages taken so far say (GetKeyState).
    std::array<bool, 256> keysDown {};
    bool inputHeld = false; // HoldUserInput

    std::map<UINT, TimerData> timers;
    UINT lastTimerId = 0;
    bool manualClock = false;
};

EventState& State();

// Timer bookkeeping the clock and the manual pump call.
void RebaseTimersLocked(EventState& state, uint64_t now);
// Earliest tick due at or before limit; false when none.
bool NextDueTimerLocked(EventState& state, uint64_t limit, UINT* id, uint64_t* due);
// Runs one tick of the timer (callback outside the lock); the lock is held on entry and exit.
void FireTimerLocked(std::unique_lock<std::mutex>& lock, EventState& state, UINT id, uint64_t now);
// On the real clock, runs every tick that is due; the manual clock's pump runs its own.
void FireDueTimersLocked(std::unique_lock<std::mutex>& lock, EventState& state);
// How long a waiting thread may sleep before the next tick is due; -1 for ever.
int MillisecondsToNextTimerLocked(EventState& state);
// Ends the UI thread's wait, if it is waiting, so that it looks at the queue and the
// timers again.
void WakeUiLocked(EventState& state);

// The real clock's zero point, for waiting on the steady clock.
std::chrono::steady_clock::time_point SteadyEpoch();

// The timer whose callback is running on this thread, 0 outside callbacks.
UINT& CurrentTimerSource();

} // namespace plat::detail
