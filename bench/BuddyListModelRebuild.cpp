// Rebuilding the buddy list's rows from the model for N buddies in 50 groups, each
// view type ordering the buddies; the time must grow no worse than n log n.
#include "app/buddies/BuddyListModel.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"
#include "messenger/model/Options.h"
#include "tests/support/TempRegistry.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kGroups = 50;

struct Lists {
    explicit Lists(int count, int viewType)
    {
        options.SetViewType(viewType);
        for (int g = 0; g < kGroups; ++g)
            groups.Insert(Group(std::to_wstring(g), L"그룹" + std::to_wstring((g * 37) % kGroups)));
        // Names in Korean, in an order unrelated to the ids.
        const std::wstring family = L"김이박최정강조윤장임";
        for (int b = 0; b < count; ++b) {
            Buddy buddy;
            buddy.Id = L"u" + std::to_wstring(100000 + b);
            buddy.Email = buddy.Id + L"@quorix.net";
            buddy.Name = std::wstring(1, family[(b * 7) % family.size()]) + L"민수"
                + std::to_wstring((b * 7919) % count);
            buddy.Nick = L"대화명 " + std::to_wstring((b * 104729) % count);
            buddy.Status = b % 3 ? BuddyStatusOffline : BuddyStatusOnline;
            buddies.Insert(buddy.Id, buddy);
            groups.Find(std::to_wstring(b % kGroups))->AddMember(buddy.Id);
        }
    }
    TempRegistry registry;
    GroupList groups;
    BuddyList buddies;
    Options options;
};

void BM_Rebuild(benchmark::State& state)
{
    Lists lists(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        BuddyListModel model;
        model.Rebuild(L"");
        benchmark::DoNotOptimize(model.GetCount());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_Rebuild)->ArgsProduct({ { 1000, 10000 }, { 0, 3 } })->Unit(benchmark::kMillisecond);

// One group alone, as the list does when one buddy's row moves.
void BM_RebuildOneGroup(benchmark::State& state)
{
    Lists lists(int(state.range(0)), 3);
    for (auto _ : state) {
        BuddyListModel model;
        model.Rebuild(L"7");
        benchmark::DoNotOptimize(model.GetCount());
    }
}
BENCHMARK(BM_RebuildOneGroup)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace
