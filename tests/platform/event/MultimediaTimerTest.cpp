#include "platform/event/MultimediaTimer.h"
#include "platform/event/Clock.h"
#include "platform/event/MessageQueue.h"
#include "platform/event/Thread.h"
#include "platform/event/Window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <vector>

using namespace plat;

namespace {

using Tick = std::pair<UINT, uint64_t>; // timer id, time it was dispatched
std::vector<Tick> g_ticks;
HWND g_target = nullptr;

void PostTick(UINT id, UINT, uintptr_t, uintptr_t, uintptr_t)
{
    PostMessageW(g_target, WM_USER, id, 0);
}

void PostTwice(UINT id, UINT, uintptr_t, uintptr_t, uintptr_t)
{
    PostMessageW(g_target, WM_USER, id, 0);
    PostMessageW(g_target, WM_USER, id, 0);
}

void KillSelf(UINT id, UINT, uintptr_t, uintptr_t, uintptr_t)
{
    PostMessageW(g_target, WM_USER, id, 0);
    timeKillEvent(id);
}

std::vector<UINT> TickIds()
{
    std::vector<UINT> ids;
    for (const Tick& t : g_ticks)
        ids.push_back(t.first);
    return ids;
}

LRESULT TickProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER) {
        g_ticks.emplace_back(static_cast<UINT>(wParam), GetTickCount64());
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_ticks.clear();
        WNDCLASSW wc;
        wc.lpfnWndProc = TickProc;
        wc.lpszClassName = L"TickWindow";
        RegisterClassW(&wc);
        g_target = CreateWindowExW(0, L"TickWindow", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override
    {
        for (UINT id : ids)
            timeKillEvent(id);
        DestroyWindow(g_target);
        UnregisterClassW(L"TickWindow");
    }
    UINT Start(UINT delay, UINT flags = TIME_PERIODIC, LPTIMECALLBACK callback = PostTick)
    {
        UINT id = timeSetEvent(delay, 10, callback, 0, flags);
        ids.push_back(id);
        return id;
    }
    std::vector<UINT> ids;
};

TEST_F(TimerTest, PumpDeliversDueTicksInTimeOrder)
{
    ManualClock clock(1000);
    UINT fast = Start(30);
    UINT slow = Start(50);
    UINT once = Start(40, TIME_ONESHOT);
    ASSERT_NE(fast, 0u);
    PumpFor(100);
    EXPECT_EQ(g_ticks,
        (std::vector<Tick> { { fast, 1030 }, { once, 1040 }, { slow, 1050 }, { fast, 1060 }, { fast, 1090 },
            { slow, 1100 } }));
    EXPECT_EQ(clock.Now(), 1100u);
    EXPECT_EQ(timeKillEvent(once), MMSYSERR_INVALPARAM); // a one-shot is gone after its tick
}

TEST_F(TimerTest, IdsAreNeverReusedAndBadRequestsFail)
{
    ManualClock clock;
    UINT a = Start(10);
    EXPECT_EQ(timeKillEvent(a), TIMERR_NOERROR);
    UINT b = Start(10);
    EXPECT_GT(b, a);
    EXPECT_EQ(timeKillEvent(a), MMSYSERR_INVALPARAM);
    EXPECT_EQ(timeSetEvent(0, 10, PostTick, 0, TIME_PERIODIC), 0u); // would tick without pause
    EXPECT_EQ(timeSetEvent(10, 10, nullptr, 0, TIME_PERIODIC), 0u);
    TIMECAPS caps;
    EXPECT_EQ(timeGetDevCaps(nullptr, sizeof caps), MMSYSERR_INVALPARAM);

    size_t started = 1; // b
    while (started < kMaxTimers + 1 && Start(1000))
        ++started;
    EXPECT_EQ(started, kMaxTimers);
}

TEST_F(TimerTest, BusyUiThreadHoldsOneTickPerTimerAndKillTakesItBack)
{
    UINT id = Start(5);
    Sleep(60); // the UI thread does not fetch meanwhile
    // Some twelve ticks fell due: folded into the one waiting, plus at most the odd tick
    // that comes in while the queue is being read on a busy machine.
    MSG msg;
    int waiting = 0;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        EXPECT_EQ(msg.wParam, id);
        ++waiting;
    }
    EXPECT_GE(waiting, 1);
    EXPECT_LE(waiting, 3);
    Sleep(20);
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(timeKillEvent(id), TIMERR_NOERROR);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    Sleep(20);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(TimerTest, KillPurgesQueuedTicksAndCoalescesRepeats)
{
    ManualClock clock;
    UINT twice = Start(10, TIME_PERIODIC, PostTwice);
    UINT other = Start(10);
    EXPECT_TRUE(PostMessageW(g_target, WM_USER, 77, 0)); // not a timer's
    PumpFor(10);
    // 77, one tick of twice (the repeat folded in), other.
    EXPECT_EQ(TickIds(), (std::vector<UINT> { 77, twice, other }));

    UINT self = Start(5, TIME_PERIODIC, KillSelf);
    PumpFor(20);
    // Killed inside its own tick: the post it made is gone too.
    auto seen = TickIds();
    EXPECT_EQ(std::count(seen.begin(), seen.end(), self), 0);
}

TEST_F(TimerTest, ClockIsMonotonicAndWrapsAt32Bits)
{
    ManualClock clock(0xFFFFFFF0ull);
    EXPECT_EQ(timeGetTime(), 0xFFFFFFF0u);
    clock.Advance(0x20);
    EXPECT_EQ(timeGetTime(), 0x10u);
    EXPECT_EQ(GetTickCount64(), 0x100000010ull);
    clock.Set(5); // never backwards
    EXPECT_EQ(clock.Now(), 0x100000010ull);
}

TEST_F(TimerTest, RealTimersWakeTheWaitingThreadOnlyForTicks)
{
    EventStats before = GetEventStats();
    uint64_t start = GetTickCount64();
    UINT id = Start(20);
    ASSERT_NE(id, 0u);
    MSG msg;
    while (g_ticks.size() < 5 && GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    timeKillEvent(id);
    EventStats after = GetEventStats();
    EXPECT_GE(GetTickCount64() - start, 90u);
    // One wait per tick, a little slack for a wait that ends a moment early.
    EXPECT_LE(after.uiWakeups - before.uiWakeups, 7u);
}

// A UI thread already asleep with no timer learns of one started elsewhere.
TEST_F(TimerTest, ATimerStartedWhileTheUiThreadSleepsEndsThatSleep)
{
    std::atomic<UINT> started { 0 };
    Thread other;
    other.Start([&] {
        Sleep(20);
        started = timeSetEvent(30, 10, PostTick, 0, TIME_ONESHOT);
    });
    const uint64_t start = GetTickCount64();
    MSG msg;
    ASSERT_GT(GetMessageW(&msg, nullptr, 0, 0), 0);
    DispatchMessageW(&msg);
    other.Join();
    EXPECT_EQ(TickIds(), std::vector<UINT> { started.load() });
    EXPECT_LT(GetTickCount64() - start, 2000u);
}

} // namespace
