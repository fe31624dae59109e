#include "platform/event/MultimediaTimer.h"

#include "platform/event/Clock.h"
#include "platform/event/EventState.h"

#include <algorithm>
#include <climits>

namespace plat {

using detail::EventState;
using detail::State;

namespace {

    constexpr UINT kPeriodMin = 1;
    constexpr UINT kPeriodMax = 1000000;

} // namespace

namespace detail {

    void FireDueTimersLocked(std::unique_lock<std::mutex>& lock, EventState& state)
    {
        if (state.manualClock)
            return;
        const uint64_t now = GetTickCount64();
        UINT id = 0;
        uint64_t due = 0;
        // Each firing moves a periodic timer past now and ends a one-shot, so this ends.
        while (NextDueTimerLocked(state, now, &id, &due))
            FireTimerLocked(lock, state, id, now);
    }

    int MillisecondsToNextTimerLocked(EventState& state)
    {
        UINT id = 0;
        uint64_t due = 0;
        if (state.manualClock || !NextDueTimerLocked(state, UINT64_MAX, &id, &due))
            return -1;
        const uint64_t now = GetTickCount64();
        return due <= now ? 0 : static_cast<int>(std::min<uint64_t>(due - now, INT32_MAX));
    }

    void RebaseTimersLocked(EventState& state, uint64_t now)
    {
        for (auto& [id, t] : state.timers)
            t.due = now + t.period;
    }

    bool NextDueTimerLocked(EventState& state, uint64_t limit, UINT* id, uint64_t* due)
    {
        bool found = false;
        for (const auto& [key, t] : state.timers) {
            if (t.done || t.due > limit)
                continue;
            if (!found || t.due < *due) { // ties: the map is ordered by id, the older timer first
                *id = key;
                *due = t.due;
                found = true;
            }
        }
        return found;
    }

    void FireTimerLocked(std::unique_lock<std::mutex>& lock, EventState& state, UINT id, uint64_t now)
    {
        auto it = state.timers.find(id);
        if (it == state.timers.end() || it->second.done)
            return;
        TimerData t = it->second;
        if (t.periodic) {
            it->second.due = t.due + t.period;
            // A real clock that jumped (suspend, a stalled thread) skips the missed ticks; the
            // manual clock delivers every one of them in order.
            if (!state.manualClock && it->second.due <= now)
                it->second.due = now + t.period;
        } else {
            it->second.done = true;
        }
        lock.unlock();
        UINT& source = CurrentTimerSource();
        source = id;
        t.callback(id, 0, t.user, 0, 0);
        source = 0;
        lock.lock();
        if (!t.periodic)
            state.timers.erase(id);
    }

} // namespace detail

UINT timeGetDevCaps(TIMECAPS* caps, UINT size)
{
    if (!caps || size < sizeof(TIMECAPS))
        return MMSYSERR_INVALPARAM;
    caps->wPeriodMin = kPeriodMin;
    caps->wPeriodMax = kPeriodMax;
    return TIMERR_NOERROR;
}

UINT timeSetEvent(UINT delay, UINT, LPTIMECALLBACK callback, uintptr_t user, UINT flags)
{
    if (!callback || delay < kPeriodMin || delay > kPeriodMax)
        return 0;
    auto& s = State();
    uint64_t now = GetTickCount64();
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        if (s.timers.size() >= kMaxTimers || s.lastTimerId == UINT32_MAX)
            return 0;
        UINT id = ++s.lastTimerId;
        detail::TimerData t;
        t.period = delay;
        t.due = now + delay;
        t.periodic = (flags & TIME_PERIODIC) != 0;
        t.callback = callback;
        t.user = user;
        s.timers.emplace(id, t);
        // A UI thread already asleep must wake by the new tick's time.
        detail::WakeUiLocked(s);
        return id;
    }
}

UINT timeKillEvent(UINT id)
{
    auto& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (!s.timers.erase(id))
        return MMSYSERR_INVALPARAM;
    std::erase_if(s.queue, [&](const detail::QueuedMessage& m) { return m.sourceTimer == id; });
    return TIMERR_NOERROR;
}

} // namespace plat
