// The chat page of the whole program (signed in to nobody, 1,000 buddies, headless unless
// QUORIX_DISPLAY says otherwise, manual clock):
//
//   BM_ChatLineFrame/500, /10000   one line of 40 characters appended to a conversation of
//                                  that many lines, laid out, painted and presented, as a
//                                  ratio to a memcpy of one 480 x 640 frame ("vs_memcpy")
//   BM_ChatLineMemory              heap growth per 1,000 such lines in one chat
//   BM_SignedInWithChats           resident and private (RssAnon) memory with 10 open
//                                  chats of 500 lines each
//   BM_BareSdlWindow               the same two figures for a bare SDL window
//
// The two memory figures of a process mean something only as the first thing it does:
//   bench_ChatScreen --benchmark_filter=SignedInWithChats   (QUORIX_DISPLAY=sdl, SDL_VIDEODRIVER=x11)
//   bench_ChatScreen --benchmark_filter=BareSdlWindow       (SDL_VIDEODRIVER=x11)
#include "app/chat/ChatPage.h"
#include "bench/BenchSupport.h"
#include "bench/ProcessFigures.h"
#include "bench/SignedInProgram.h"
#include "messenger/model/ChatSessionList.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

COUNT_HEAP_ALLOCATIONS()

namespace {

using bench::Flush;
using bench::Program;

// A line as a peer's message reaches the page: the header and 40 characters of text.
std::wstring Line(size_t n)
{
    return L"이지연 (지연이) 님의 말:\n" + ChatLineText(n);
}

// A chat with its page on screen.
ChatPage* OpenChat(Program& program)
{
    ChatSession* session = ChatSessionList::GetInstance()->NewSession();
    auto* page = session ? dynamic_cast<ChatPage*>(session->GetPage()) : nullptr;
    if (!page)
        return nullptr;
    session->PeerId = L"u100001@quorix.net";
    session->PeerName = L"이지연";
    program.app->AddChatSession(*session);
    return page;
}

void BM_ChatLineFrame(benchmark::State& state)
{
    Program program;
    ChatPage* page = program.ok ? OpenChat(program) : nullptr;
    if (!page) {
        state.SkipWithError("the program did not start");
        return;
    }
    program.app->PushScreen(&program.app->GetStatusBarChat(), page, MessengerApp::CoverFromBottom);
    for (size_t i = 0; i < size_t(state.range(0)); ++i)
        page->AddLine(Line(i), ChatOutput::LinePeer);
    UxPumpFor(1000);
    Flush();
    size_t n = size_t(state.range(0));
    VsMemcpy ratio;
    for (auto _ : state) {
        ratio.Iterate([&] {
            page->AddLine(Line(n++), ChatOutput::LinePeer);
            Flush();
        });
    }
    ratio.Report(state);
}
BENCHMARK(BM_ChatLineFrame)->Arg(500)->Arg(10000);

void BM_ChatLineMemory(benchmark::State& state)
{
    Program program;
    ChatPage* page = program.ok ? OpenChat(program) : nullptr;
    if (!page) {
        state.SkipWithError("the program did not start");
        return;
    }
    size_t n = 0;
    for (; n < 1000; ++n)
        page->AddLine(Line(n), ChatOutput::LinePeer);
    double grown = 0;
    for (auto _ : state) {
        const size_t before = g_heapLive;
        for (size_t i = 0; i < 1000; ++i)
            page->AddLine(Line(n++), ChatOutput::LinePeer);
        grown += double(g_heapLive - before);
    }
    state.counters["kb_per_1k_lines"] = grown / 1024.0 / double(state.iterations());
}
BENCHMARK(BM_ChatLineMemory)->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_SignedInWithChats(benchmark::State& state)
{
    for (auto _ : state) {
        Program program;
        if (!program.ok) {
            state.SkipWithError("the program did not start");
            return;
        }
        Flush();
        state.counters["rss_anon_kb_without_chats"] = ProcessStatus("RssAnon");
        ChatPage* last = nullptr;
        for (int chat = 0; chat < 10; ++chat) {
            ChatPage* page = OpenChat(program);
            for (size_t i = 0; page && i < 500; ++i)
                page->AddLine(Line(i), ChatOutput::LinePeer);
            last = page ? page : last;
        }
        if (last)
            program.app->PushScreen(&program.app->GetStatusBarChat(), last, MessengerApp::CoverFromBottom);
        UxPumpFor(1000);
        Flush();
        state.counters["rss_kb"] = ProcessStatus("VmRSS");
        state.counters["rss_anon_kb"] = ProcessStatus("RssAnon");
    }
}
BENCHMARK(BM_SignedInWithChats)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_BareSdlWindow(benchmark::State& state)
{
    for (auto _ : state) {
        SDL_Window* window = OpenBareWindow();
        if (!window) {
            state.SkipWithError("no bare window");
            return;
        }
        state.counters["rss_kb"] = ProcessStatus("VmRSS");
        state.counters["rss_anon_kb"] = ProcessStatus("RssAnon");
        CloseBareWindow(window);
    }
}
BENCHMARK(BM_BareSdlWindow)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
