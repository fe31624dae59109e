// Typing into a long chat text: one character inserted at the end of a 2,000-character
// text in a focused multi-line edit, laid out, painted and presented, reported as a ratio
// to a plain memcpy of one 480 x 640 frame ("vs_memcpy": 2.0 means twice memcpy's time).

#include "bench/BenchSupport.h"
#include "platform/display/Display.h"
#include "platform/event/Clock.h"
#include "platform/event/MessageQueue.h"
#include "ux/core/UxDesktop.h"
#include "ux/core/UxStartup.h"
#include "ux/widgets/UxEdit.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A chat text of Korean and Latin words, 2,000 characters.
std::wstring ChatText()
{
    const std::wstring words[] = { L"안녕하세요", L"오늘", L"회의는", L"3시에", L"meeting", L"room", L"B에서",
        L"합니다", L"ok?", L"ㅋㅋ", L"알겠어요", L"see", L"you", L"there" };
    std::wstring text;
    for (size_t i = 0; text.size() < 2000; ++i)
        text += words[i % std::size(words)] + L" ";
    text.resize(2000);
    return text;
}

void BM_EditInsertAtEndAndPresent(benchmark::State& state)
{
    setenv("QUORIX_DISPLAY", "headless", 1);
    plat::ManualClock clock(5000); // no timer ticks during the measurement
    if (!UxInitialize()) {
        state.SkipWithError("toolkit did not start");
        return;
    }
    {
        UxDesktop desktop;
        if (!desktop.Create(L"QuorixEditBench-" + std::to_wstring(getpid()), { 0, 0, 480, 640 })) {
            state.SkipWithError("no desktop");
            UxFinalize();
            return;
        }
        UxEdit edit;
        UxTextStyle style;
        style.Font.Height = 18;
        edit.Setup(style);
        edit.SetRect({ 0, 440, 480, 640 });
        desktop.AddChild(&edit);
        edit.SetText(ChatText());
        edit.SetFocus(true);
        plat::DispatchPending();

        uint64_t presents = plat::GetDisplay()->GetPresentCount();
        VsMemcpy ratio;
        for (auto _ : state) {
            ratio.Iterate([&] {
                edit.InsertChar(L'가');
                plat::DispatchPending();
            });
            state.PauseTiming();
            edit.OnChar(8, 0);
            plat::DispatchPending();
            state.ResumeTiming();
        }
        // Each insertion must reach the screen (half the frames are the deletions').
        state.counters["frames_per_insert"]
            = double(plat::GetDisplay()->GetPresentCount() - presents) / 2.0 / double(state.iterations());
        ratio.Report(state);
        desktop.RemoveChild(&edit);
    }
    UxFinalize();
}
BENCHMARK(BM_EditInsertAtEndAndPresent)->Unit(benchmark::kMicrosecond);

} // namespace
