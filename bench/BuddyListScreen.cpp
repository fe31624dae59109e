// The buddy list screen of the whole program (headless, manual clock) with 1,000
// buddies in 50 groups: one frame after one buddy's status changed, and one frame
// after a scroll of a few pixels, each painted and presented, as a ratio to a memcpy
// of one 480 x 640 frame ("vs_memcpy": 2.0 means twice memcpy's time).
#include "bench/BenchSupport.h"
#include "bench/SignedInProgram.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

namespace {

using bench::Flush;
using bench::Program;

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
