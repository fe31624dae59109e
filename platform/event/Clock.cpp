#include "platform/event/Clock.h"

#include "platform/event/EventState.h"
#include "platform/event/MessageQueue.h"

#include <atomic>

namespace plat {

namespace {

    std::atomic<bool> g_manual { false };
    std::atomic<uint64_t> g_manualNow { 0 };

    void SourceChanged(bool manual)
    {
        auto& s = detail::State();
        std::lock_guard<std::mutex> lock(s.mutex);
        g_manual = manual;
        s.manualClock = manual;
        detail::RebaseTimersLocked(s, GetTickCount64());
        detail::WakeUiLocked(s);
    }

} // namespace

namespace detail {

    std::chrono::steady_clock::time_point SteadyEpoch()
    {
        static const auto epoch = std::chrono::steady_clock::now();
        return epoch;
    }

} // namespace detail

uint64_t GetTickCount64()
{
    if (g_manual)
        return g_manualNow;
    auto since = std::chrono::steady_clock::now() - detail::SteadyEpoch();
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

uint32_t timeGetTime()
{
    return static_cast<uint32_t>(GetTickCount64());
}

ManualClock::ManualClock(uint64_t startMs)
{
    g_manualNow = startMs;
    SourceChanged(true);
}

ManualClock::~ManualClock()
{
    SourceChanged(false);
}

uint64_t ManualClock::Now() const
{
    return g_manualNow;
}

void ManualClock::Set(uint64_t ms)
{
    uint64_t now = g_manualNow;
    while (ms > now && !g_manualNow.compare_exchange_weak(now, ms)) { }
}

void PumpFor(uint64_t ms, void (*beforeEach)())
{
    auto& s = detail::State();
    if (!g_manual) {
        DispatchPending(100000, beforeEach);
        return;
    }
    const uint64_t target = g_manualNow + ms;
    std::unique_lock<std::mutex> lock(s.mutex);
    UINT id = 0;
    uint64_t due = 0;
    while (detail::NextDueTimerLocked(s, target, &id, &due)) {
        if (due > g_manualNow)
            g_manualNow = due;
        detail::FireTimerLocked(lock, s, id, due);
        lock.unlock();
        DispatchPending(100000, beforeEach);
        lock.lock();
    }
    lock.unlock();
    if (target > g_manualNow)
        g_manualNow = target;
    DispatchPending(100000, beforeEach);
}

} // namespace plat
