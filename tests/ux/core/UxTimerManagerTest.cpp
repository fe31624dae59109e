#include "tests/support/TraceCapture.h"
#include "tests/support/UxPump.h"
#include "ux/core/UxThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace {

struct Call {
    uintptr_t argument;
    uint64_t at; // manual milliseconds since the fixture started
    bool alive; // whether the timer was still alive during its own call
};

struct Recorder {
    UxTimeFixture* time = nullptr;
    uint32_t id = 0;
    uint32_t removeAtCall = 0; // removes its own timer during that call (1-based)
    std::vector<Call> calls;
};
Recorder* g_rec = nullptr;

void Record(uintptr_t argument)
{
    Recorder& r = *g_rec;
    r.calls.push_back({ argument, r.time->manual.Now() - 5000, r.time->timers->IsAlive(r.id) });
    if (r.removeAtCall && r.calls.size() == r.removeAtCall)
        r.time->timers->Remove(r.id);
}

class UxTimerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        rec.time = &time;
        g_rec = &rec;
    }
    void TearDown() override { g_rec = nullptr; }
    std::vector<uint64_t> Times() const
    {
        std::vector<uint64_t> out;
        for (const Call& c : rec.calls)
            out.push_back(c.at);
        return out;
    }
    UxTimeFixture time;
    Recorder rec;
};

TEST_F(UxTimerTest, ResolutionIsTenMilliseconds)
{
    EXPECT_EQ(time.timers->GetResolution(), 10u);
}

TEST_F(UxTimerTest, TimerKindsFollowDurationAndInterval)
{
    // For ever: every 0.5 s until removed.
    rec.id = time.timers->Add(0, 0.5f, Record, 7);
    ASSERT_NE(rec.id, 0u);
    UxPumpFor(2000);
    EXPECT_EQ(Times(), (std::vector<uint64_t> { 500, 1000, 1500, 2000 }));
    EXPECT_EQ(rec.calls[0].argument, 7u);
    EXPECT_TRUE(rec.calls.back().alive);
    time.timers->Remove(rec.id);
    UxPumpFor(2000);
    EXPECT_EQ(rec.calls.size(), 4u);

    // Duration equal to the interval: once, and already gone during the call.
    rec.calls.clear();
    rec.id = time.timers->Add(0.1f, 0.1f, Record, 0);
    UxPumpFor(1000);
    ASSERT_EQ(rec.calls.size(), 1u);
    EXPECT_EQ(rec.calls[0].at, 4100u);
    EXPECT_FALSE(rec.calls[0].alive);
    EXPECT_FALSE(time.timers->IsAlive(rec.id));

    // Expiring: ticks while less than the duration has passed, the first one after it is
    // the last and finds the timer gone.
    rec.calls.clear();
    rec.id = time.timers->Add(1.0f, 0.3f, Record, 0);
    UxPumpFor(3000);
    EXPECT_EQ(Times(), (std::vector<uint64_t> { 5300, 5600, 5900, 6200 }));
    EXPECT_TRUE(rec.calls[2].alive);
    EXPECT_FALSE(rec.calls[3].alive);
}

TEST_F(UxTimerTest, RemovalInsideTheCallbackEndsTheTimer)
{
    rec.removeAtCall = 2;
    rec.id = time.timers->Add(0, 0.05f, Record, 0);
    UxPumpFor(500);
    EXPECT_EQ(rec.calls.size(), 2u);
    EXPECT_FALSE(time.timers->IsAlive(rec.id));
}

TEST_F(UxTimerTest, UnknownAndLateTicksChangeNothing)
{
    rec.id = time.timers->Add(0, 0.05f, Record, 0);
    EXPECT_TRUE(time.timers->Dispatch(rec.id + 100));
    EXPECT_TRUE(rec.calls.empty());
    uint32_t removed = rec.id;
    time.timers->Remove(removed);
    EXPECT_TRUE(time.timers->Dispatch(removed)); // a tick posted just before the removal
    UxPumpFor(500);
    EXPECT_TRUE(rec.calls.empty());
    EXPECT_TRUE(time.timers->Remove(removed));

    rec.id = time.timers->Add(0, 0.05f, Record, 0);
    uint32_t second = time.timers->Add(0, 0.05f, Record, 0);
    time.timers->RemoveAll();
    UxPumpFor(500);
    EXPECT_TRUE(rec.calls.empty());
    EXPECT_FALSE(time.timers->IsAlive(second));
}

TEST_F(UxTimerTest, FailedAddIsTracedAndReturnsZero)
{
    TraceCapture trace;
    EXPECT_EQ(time.timers->Add(1, 0, Record, 0), 0u); // a zero interval would never pause
    EXPECT_EQ(time.timers->Add(1, -2, Record, 0), 0u);
    ASSERT_EQ(trace.lines.size(), 4u);
    EXPECT_EQ(trace.lines[0], L"[UX+] UxTimerManager::Add, Failed to add a timer.\n");
    EXPECT_EQ(trace.lines[1],
        L"[UX+] UxTimerManager::Add, It is possible that system has no more available timers.\n");
    EXPECT_FALSE(time.timers->IsAlive(0));
}

TEST_F(UxTimerTest, TimerAddedAheadOfTheTurnClockRunsItsCourse)
{
    // The turn's time was taken at the start; the timer is added later in the same turn,
    // so its start lies after the turn's time. That must count as no time passed, not
    // as some 49 days.
    time.manual.Advance(400);
    rec.id = time.timers->Add(1.0f, 0.3f, Record, 0);
    time.timers->Dispatch(rec.id);
    ASSERT_EQ(rec.calls.size(), 1u);
    EXPECT_TRUE(rec.calls[0].alive);
    EXPECT_TRUE(time.timers->IsAlive(rec.id));
}

TEST_F(UxTimerTest, ClockKeepsTurnAndLiveTimeApart)
{
    time.manual.Advance(250);
    EXPECT_EQ(time.clock->GetTurnElapsed(), 0u);
    EXPECT_EQ(time.clock->GetElapsed(), 250u);
    EXPECT_EQ(time.clock->Update(), 5250u);
    EXPECT_EQ(time.clock->GetTurnElapsed(), 250u);

    time.clock->UpdateFrameRate();
    EXPECT_FLOAT_EQ(time.clock->GetFrameRate(), 4.0f);
    time.manual.Advance(20);
    time.clock->Update();
    time.clock->UpdateFrameRate();
    EXPECT_FLOAT_EQ(time.clock->GetFrameRate(), 50.0f);
    time.clock->UpdateFrameRate(); // same millisecond: unchanged
    EXPECT_FLOAT_EQ(time.clock->GetFrameRate(), 50.0f);

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
    EXPECT_FALSE(thread.IsRunning());
    ASSERT_TRUE(thread.Start());
    EXPECT_TRUE(thread.IsRunning());
    EXPECT_NE(thread.GetThreadId(), 0u);
    EXPECT_FALSE(thread.Start()); // one at a time
    EXPECT_TRUE(thread.Join());
    EXPECT_EQ(thread.runs, 1);
    EXPECT_FALSE(thread.IsRunning());
    EXPECT_EQ(thread.GetThreadId(), 0u);
    EXPECT_TRUE(thread.Join());
    ASSERT_TRUE(thread.Start()); // may start again after a join
    thread.Join();
    EXPECT_EQ(thread.runs, 2);
}

} // namespace
