#include "tests/support/UxPump.h"
#include "ux/core/UxThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace {

using Times = std::vector<uint64_t>;
using Flags = std::vector<bool>;

// Records each call of its timer: when (manual milliseconds since the fixture started)
// and whether the timer was still alive during its own call.
class UxTimerTest : public ::testing::Test {
protected:
    static void Record(uintptr_t self)
    {
        auto* t = reinterpret_cast<UxTimerTest*>(self);
        t->times.push_back(t->time.manual.Now() - 5000);
        t->alive.push_back(t->time.timers->IsAlive(t->id));
        if (t->times.size() == t->removeAtCall)
            t->time.timers->Remove(t->id);
    }
    uint32_t Add(float duration, float interval)
    {
        times.clear();
        alive.clear();
        return id = time.timers->Add(duration, interval, Record, reinterpret_cast<uintptr_t>(this));
    }

    UxTimeFixture time;
    uint32_t id = 0;
    size_t removeAtCall = 0; // removes its own timer during that call (1-based)
    Times times;
    Flags alive;
};

TEST_F(UxTimerTest, TimerKindsFollowDurationAndInterval)
{
    // For ever: every 0.5 s until removed.
    ASSERT_NE(Add(0, 0.5f), 0u);
    UxPumpFor(2000);
    EXPECT_EQ(times, (Times { 500, 1000, 1500, 2000 }));
    EXPECT_EQ(alive, Flags(4, true));
    time.timers->Remove(id);
    UxPumpFor(2000);
    EXPECT_EQ(times.size(), 4u);

    // Duration equal to the interval: once, and already gone during the call.
    Add(0.1f, 0.1f);
    UxPumpFor(1000);
    EXPECT_EQ(times, (Times { 4100 }));
    EXPECT_EQ(alive, Flags { false });

    // Expiring: ticks while less than the duration has passed, the first one after it is
    // the last and finds the timer gone.
    Add(1.0f, 0.3f);
    UxPumpFor(3000);
    EXPECT_EQ(times, (Times { 5300, 5600, 5900, 6200 }));
    EXPECT_EQ(alive, (Flags { true, true, true, false }));
}

TEST_F(UxTimerTest, RemovalInsideTheCallbackAndUnknownOrLateTicks)
{
    removeAtCall = 2;
    Add(0, 0.05f);
    UxPumpFor(500);
    EXPECT_EQ(times.size(), 2u);
    EXPECT_FALSE(time.timers->IsAlive(id));
    removeAtCall = 0;

    uint32_t removed = Add(0, 0.05f);
    EXPECT_TRUE(time.timers->Dispatch(removed + 100));
    time.timers->Remove(removed);
    EXPECT_TRUE(time.timers->Dispatch(removed)); // a tick posted just before the removal
    EXPECT_TRUE(time.timers->Remove(removed));
    UxPumpFor(500);
    EXPECT_TRUE(times.empty());
    Add(0, 0.05f);
    Add(0, 0.05f);
    time.timers->RemoveAll();
    UxPumpFor(500);
    EXPECT_TRUE(times.empty());
    EXPECT_FALSE(time.timers->IsAlive(id));
}

TEST_F(UxTimerTest, TimerAddedAheadOfTheTurnClockRunsItsCourse)
{
    // The turn's time was taken at the start; the timer is added later in the same turn,
    // so its start lies after the turn's time. That must count as no time passed, not
    // as some 49 days.
    time.manual.Advance(400);
    time.timers->Dispatch(Add(1.0f, 0.3f));
    EXPECT_EQ(alive, Flags { true });
    EXPECT_TRUE(time.timers->IsAlive(id));
    EXPECT_EQ(Add(1, 0), 0u); // a zero interval would never pause
    EXPECT_EQ(Add(1, -2), 0u);
}

TEST_F(UxTimerTest, ClockKeepsTurnAndLiveTimeApart)
{
    time.manual.Advance(250);
    EXPECT_EQ(time.clock->GetTurnElapsed(), 0u);
    EXPECT_EQ(time.clock->GetElapsed(), 250u);
    EXPECT_EQ(time.clock->Update(), 5250u);
    EXPECT_EQ(time.clock->GetTurnElapsed(), 250u);
    time.clock->UpdateFrameRate();
    time.clock->UpdateFrameRate(); // same millisecond: no division by zero, unchanged
    EXPECT_FLOAT_EQ(time.clock->GetFrameRate(), 4.0f);
    EXPECT_EQ(UxClock::Since(0xFFFFFFF0u, 0x10u), 0x20u); // across the 32-bit wrap
    EXPECT_EQ(UxClock::Since(100, 40), 0u);
}

class CountingThread : public UxThread {
public:
    ~CountingThread() override { Join(); }
    uint32_t Run() override
    {
        ++runs;
        return 0;
    }
    std::atomic<int> runs { 0 };
};

TEST(UxThread, RunsOnceBetweenStartAndJoin)
{
    CountingThread thread;
    ASSERT_TRUE(thread.Start());
    EXPECT_FALSE(thread.Start()); // one at a time
    EXPECT_TRUE(thread.Join());
    EXPECT_EQ(thread.runs, 1);
    ASSERT_TRUE(thread.Start()); // may start again after a join
    thread.Join();
    EXPECT_EQ(thread.runs, 2);
}

} // namespace
