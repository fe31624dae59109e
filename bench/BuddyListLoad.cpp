// Parsing a buddy list of N buddies in 50 groups from its frame and loading it into the
// model: time per load, and the memory it adds at its peak and once loaded (every
// allocation is counted through the global operator new).
#include "bench/BenchSupport.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"
#include "messenger/protocol/buddies/PktHandlerLsta.h"
#include "messenger/protocol/buddies/PktInLsta.h"
#include "messenger/protocol/codec/PktStreamReader.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <malloc.h>
#include <new>
#include <string>

namespace {

constexpr int kGroups = 50;

// A body shaped like the service's: group lines with their members, then one line of
// thirteen words per buddy, names in Korean.
std::string MakeFrame(int buddies)
{
    std::string body = std::to_string(kGroups) + " " + std::to_string(buddies) + "\r\n";
    for (int g = 0; g < kGroups; ++g) {
        std::string members;
        int count = 0;
        for (int b = g; b < buddies; b += kGroups, ++count)
            members += " u" + std::to_string(100000 + b) + "@quorix.net";
        body += std::to_string(g) + " 그룹" + std::to_string(g) + " " + std::to_string(count) + members
            + "\r\n";
    }
    for (int b = 0; b < buddies; ++b) {
        const std::string id = "u" + std::to_string(100000 + b) + "@quorix.net";
        body += id + " 1 " + id + " %00 1101 " + (b % 3 ? "F" : "O") + " 김민수" + std::to_string(b)
            + " 민수%20" + std::to_string(b) + " 19900315 1 010-1234-5678 %00 %00\r\n";
    }
    return "LSTA 4 1 1 " + std::to_string(body.size()) + "\r\n" + body;
}

void BM_ParseAndLoadBuddyList(benchmark::State& state)
{
    const std::string frame = MakeFrame(static_cast<int>(state.range(0)));
    size_t peakAdded = 0;
    size_t retained = 0;
    for (auto _ : state) {
        const size_t before = g_heapLive;
        g_heapPeak = g_heapLive;
        {
            GroupList groups;
            BuddyList buddies;
            {
                // The header (word and id) was read by the connection already.
                PktStreamReader reader(frame.data(), static_cast<uint32_t>(frame.size()));
                std::wstring word;
                reader.ReadWord(word);
                reader.ReadWord(word);
                PktInLsta list(4);
                list.Parse(reader);
                PktHandlerLsta::LoadModel(list);
                benchmark::DoNotOptimize(buddies.GetCount());
            }
            retained = g_heapLive - before;
        }
        peakAdded = std::max(peakAdded, g_heapPeak - before);
    }
    state.counters["buddies"] = static_cast<double>(state.range(0));
    state.counters["frame_bytes"] = static_cast<double>(frame.size());
    state.counters["peak_added_bytes"] = static_cast<double>(peakAdded);
    state.counters["model_bytes"] = static_cast<double>(retained);
}

} // namespace

COUNT_HEAP_ALLOCATIONS()

BENCHMARK(BM_ParseAndLoadBuddyList)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
