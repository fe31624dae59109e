// How often an idle program wakes up: the UI thread waits in GetMessageW with one
// 10-second timer alive, as with only the keep-alive running; the wait itself times the
// ticks. QUORIX_IDLE_SECONDS sets the span (30 s).
#include "platform/event/Clock.h"
#include "platform/event/MessageQueue.h"
#include "platform/event/Thread.h"
#include "ux/core/UxClock.h"
#include "ux/core/UxTimerManager.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

int g_ticks = 0;

// The kernel's own count of times the process's threads gave up the processor, as a
// check on the count kept by the event layer.
double VoluntarySwitches()
{
    double total = 0;
    std::error_code ec;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", ec)) {
        std::ifstream status(task.path() / "status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0)
                total += std::stod(line.substr(24));
        }
    }
    return total;
}

void OnKeepAlive(uintptr_t)
{
    ++g_ticks;
}

void BM_IdleWithOneTenSecondTimer(benchmark::State& state)
{
    const char* env = std::getenv("QUORIX_IDLE_SECONDS");
    uint32_t seconds = env ? static_cast<uint32_t>(std::atoi(env)) : 30;
    for (auto _ : state) {
        UxClock clock;
        UxTimerManager timers;
        g_ticks = 0;
        plat::EventStats before = plat::GetEventStats();
        uint32_t id = timers.Add(0, 10.0f, OnKeepAlive, 0);
        plat::Thread stopper;
        stopper.Start([seconds] {
            plat::Sleep(seconds * 1000);
            plat::PostQuitMessage(0);
        });
        double switchesBefore = VoluntarySwitches();
        plat::MSG msg;
        while (plat::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            clock.Update();
            plat::DispatchMessageW(&msg);
        }
        double switches = VoluntarySwitches() - switchesBefore;
        stopper.Join();
        timers.Remove(id);
        plat::EventStats after = plat::GetEventStats();
        double ui = static_cast<double>(after.uiWakeups - before.uiWakeups);
        state.counters["seconds"] = seconds;
        state.counters["ticks"] = g_ticks;
        state.counters["ui_wakeups"] = ui;
        state.counters["kernel_switches"] = switches; // the stopper's end included
        state.counters["ui_wakeups_per_10s"] = ui * 10 / seconds;
    }
}

BENCHMARK(BM_IdleWithOneTenSecondTimer)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
