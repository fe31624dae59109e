// The buddy list screen of the whole program (headless, manual clock) with 1,000
// buddies in 50 groups: one frame after one buddy's status changed, and one frame
// after a scroll of a few pixels, each painted and presented, as a ratio to a memcpy
// of one 480 x 640 frame ("vs_memcpy": 2.0 means twice memcpy's time).
#include "app/shell/MessengerApp.h"
#include "bench/BenchSupport.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"
#include "platform/event/Clock.h"
#include "platform/event/MessageQueue.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/UxPump.h"
#include "ux/core/UxClock.h"
#include "ux/core/UxPath.h"
#include "ux/core/UxStartup.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

namespace {

constexpr int kGroups = 50;
constexpr int kBuddies = 1000;

void Flush()
{
    plat::DispatchPending(100000, [] {
        if (UxClock* clock = UxClock::GetInstance())
            clock->Update();
    });
}

// The program started as its entry starts it, signed in to nobody, with the lists
// filled as a sign-in fills them and the buddy list on screen.
struct Program {
    Program()
    {
        setenv("QUORIX_DISPLAY", "headless", 1);
        ok = UxInitialize();
        app = new MessengerApp;
        app->SetProgramFolder(GetModuleDirectory());
        ok = ok && app->Create(L"QuorixBench", plat::RECT { 0, 0, 480, 640 });
        if (!ok)
            return;
        const std::wstring family = L"김이박최정강조윤장임";
        for (int g = 0; g < kGroups; ++g)
            GroupList::GetInstance()->Insert(Group(std::to_wstring(g), L"그룹 " + std::to_wstring(g + 1)));
        for (int b = 0; b < kBuddies; ++b) {
            Buddy buddy;
            buddy.Id = L"u" + std::to_wstring(100000 + b);
            buddy.Email = buddy.Id + L"@quorix.net";
            buddy.Name = std::wstring(1, family[size_t(b) % family.size()]) + L"민수" + std::to_wstring(b);
            buddy.Nick = L"오늘도 좋은 하루 " + std::to_wstring(b);
            buddy.Status = b % 3 ? BuddyStatusOffline : BuddyStatusOnline;
            BuddyList::GetInstance()->Insert(buddy.Id, buddy);
            GroupList::GetInstance()->Find(std::to_wstring(b % kGroups))->AddMember(buddy.Id);
        }
        app->ShowBuddyList();
        app->ReloadBuddyList();
        UxPumpFor(1000);
        Flush();
    }
    ~Program()
    {
        if (app) {
            app->Shutdown();
            delete app;
        }
        UxFinalize();
        Flush();
    }

    TempRegistry registry;
    plat::ManualClock clock { 5000 };
    MessengerApp* app = nullptr;
    bool ok = false;
};

// A buddy on the first screen goes away and back, one change a frame.
void BM_StatusChangeFrame(benchmark::State& state)
{
    Program program;
    if (!program.ok) {
        state.SkipWithError("the program did not start");
        return;
    }
    BuddyListView& view = program.app->GetBuddyListPage().GetView();
    const Buddy* shown = view.GetBuddy(1);
    Buddy* buddy = BuddyList::GetInstance()->FindById(shown->Id);
    VsMemcpy ratio;
    for (auto _ : state) {
        ratio.Iterate([&] {
            buddy->Status = buddy->Status == BuddyStatusAway ? BuddyStatusOnline : BuddyStatusAway;
            program.app->RefreshBuddy(buddy->Id);
            Flush();
        });
    }
    ratio.Report(state);
}
BENCHMARK(BM_StatusChangeFrame);

// Down by 3 pixels a frame, turning at either end.
void BM_ScrollFrame(benchmark::State& state)
{
    Program program;
    if (!program.ok) {
        state.SkipWithError("the program did not start");
        return;
    }
    BuddyListView& view = program.app->GetBuddyListPage().GetView();
    UxScrollAxis& y = view.GetYAxis();
    const int32_t end = y.GetViewSize() - y.GetContentPixels();
    int32_t step = -3;
    VsMemcpy ratio;
    for (auto _ : state) {
        ratio.Iterate([&] {
            if (y.GetOffset() + step < end || y.GetOffset() + step > 0)
                step = -step;
            y.SetPosition(y.GetOffset() + step);
            view.Invalidate(plat::RECT {}, false);
            Flush();
        });
    }
    ratio.Report(state);
}
BENCHMARK(BM_ScrollFrame);

} // namespace
