// From process start to the first frame on screen, and the resident memory then: the
// messenger (toolkit, application, skin, first screen) next to a bare SDL window with a
// software surface filled once. Each benchmark means something only as the first thing
// its process does, so run one per process:
//
//   bench_FirstFrame --benchmark_filter=Messenger      (QUORIX_DISPLAY=headless or sdl)
//   bench_FirstFrame --benchmark_filter=BareSdl        (SDL_VIDEODRIVER=dummy or x11)
//
// "exec_ms" counts from the kernel's start of the process (10 ms steps), "main_ms"
// from the program's first static initialiser; "rss_kb" is VmRSS at that moment.
#include "app/shell/MessengerApp.h"
#include "bench/ProcessFigures.h"
#include "platform/display/Display.h"
#include "platform/event/MessageQueue.h"
#include "ux/core/UxStartup.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

const auto g_loaded = std::chrono::steady_clock::now();

double MsSinceLoad()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - g_loaded).count();
}

double MsSinceExec()
{
    std::ifstream stat("/proc/self/stat");
    std::string line;
    std::getline(stat, line);
    // Field 22 (start time in clock ticks since boot) counts after the command's ")".
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) { }
    timespec now {};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double started = std::stod(field) * 1000.0 / double(sysconf(_SC_CLK_TCK));
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6 - started;
}

void Report(benchmark::State& state, double execMs, double mainMs, double rssKb)
{
    state.counters["exec_ms"] = execMs;
    state.counters["main_ms"] = mainMs;
    state.counters["rss_kb"] = rssKb;
}

void BM_MessengerFirstFrame(benchmark::State& state)
{
    for (auto _ : state) {
        if (!UxInitialize()) {
            state.SkipWithError("the toolkit did not start");
            return;
        }
        auto* app = new MessengerApp;
        if (!app->Create(L"QuorixFirstFrame" + std::to_wstring(getpid()), plat::RECT { 0, 0, 480, 640 })) {
            delete app;
            UxFinalize();
            state.SkipWithError("the messenger did not start");
            return;
        }
        while (plat::GetDisplay()->GetPresentCount() == 0 && plat::DispatchPending() > 0) { }
        const double execMs = MsSinceExec(), mainMs = MsSinceLoad(), rss = ProcessStatus("VmRSS");
        if (plat::GetDisplay()->GetPresentCount() == 0)
            state.SkipWithError("nothing was presented");
        Report(state, execMs, mainMs, rss);
        app->Shutdown();
        delete app;
        UxFinalize();
    }
}
BENCHMARK(BM_MessengerFirstFrame)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_BareSdlFirstFrame(benchmark::State& state)
{
    for (auto _ : state) {
        SDL_Window* window = OpenBareWindow();
        if (!window) {
            state.SkipWithError("no bare window");
            return;
        }
        Report(state, MsSinceExec(), MsSinceLoad(), ProcessStatus("VmRSS"));
        CloseBareWindow(window);
    }
}
BENCHMARK(BM_BareSdlFirstFrame)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
