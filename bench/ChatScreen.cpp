// The chat page of the whole program (signed in to nobody, 1,000 buddies, headless unless
// QUORIX_DISPLAY says otherwise, manual clock):
//
//   BM_ChatLineFrame/500, /10000   one line of 40 characters appended to a conversation of
//                                  that many lines, laid out, painted and presented, as a
//                                  ratio to a memcpy of one 480 x 640 frame ("vs_memcpy")
//   BM_LongLineFrame/N/S           one line of N characters (65,536: the longest a chat
//                                  keeps; S 0 Hangul, 1 Latin without spaces) appended to
//                                  a conversation of 500 lines, laid out, painted and
//                                  presented ("vs_memcpy"); N = 16,384 shows how it grows
//   BM_LongLineScrollFrame/S       one frame scrolled by 3 pixels through such a line
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

// A line of n characters without a space: Hangul syllables (script 0), Latin letters
// (1), or Latin letters with a slash every eighth, as in a path, where every slash may
// open an emoticon's code (2).
std::wstring LongText(size_t n, int64_t script)
{
    std::wstring text(n, L' ');
    for (size_t i = 0; i < n; ++i)
        text[i] = script == 0 ? wchar_t(L'가' + i % 400) : script == 2 && i % 8 == 7 ? L'/' : wchar_t(L'a' + i % 26);
    return text;
}

// A chat of 500 lines on screen; null, the benchmark skipped, when the program did not
// start.
ChatPage* OpenLongChat(Program& program, benchmark::State& state)
{
    ChatPage* page = program.ok ? OpenChat(program) : nullptr;
    if (!page) {
        state.SkipWithError("the program did not start");
        return nullptr;
    }
    program.app->PushScreen(&program.app->GetStatusBarChat(), page, MessengerApp::CoverFromBottom);
    for (size_t i = 0; i < 500; ++i)
        page->AddLine(Line(i), ChatOutput::LinePeer);
    UxPumpFor(1000);
    Flush();
    return page;
}

// Each iteration adds one more long line: few iterations keep the chat near its 500
// lines.
void BM_LongLineFrame(benchmark::State& state)
{
    Program program;
    ChatPage* page = OpenLongChat(program, state);
    if (!page)
        return;
    const std::wstring line = L"이지연 (지연이) 님의 말:\n" + LongText(size_t(state.range(0)), state.range(1));
    // Once before, so that every character has been measured and drawn once.
    page->AddLine(line, ChatOutput::LinePeer);
    Flush();
    VsMemcpy ratio;
    for (auto _ : state) {
        ratio.Iterate([&] {
            page->AddLine(line, ChatOutput::LinePeer);
            Flush();
        });
    }
    ratio.Report(state);
}
BENCHMARK(BM_LongLineFrame)
    ->Args({ 16384, 0 })
    ->Args({ 65536, 0 })
    ->Args({ 16384, 1 })
    ->Args({ 65536, 1 })
    ->Args({ 16384, 2 })
    ->Args({ 65536, 2 })
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

// Up and down inside the long line, 3 pixels a frame, a few lines after it.
void BM_LongLineScrollFrame(benchmark::State& state)
{
    Program program;
    ChatPage* page = OpenLongChat(program, state);
    if (!page)
        return;
    ChatTranscript& transcript = page->GetOutput().GetTranscript();
    const int32_t before = transcript.GetDocumentHeight();
    page->AddLine(L"이지연 (지연이) 님의 말:\n" + LongText(65536, state.range(0)), ChatOutput::LinePeer);
    const int32_t after = transcript.GetDocumentHeight();
    for (size_t i = 0; i < 5; ++i)
        page->AddLine(Line(i), ChatOutput::LinePeer);
    UxScrollAxis& y = transcript.GetYAxis();
    const int32_t view = y.GetViewSize();
    y.SetPosition(-(before + after) / 2);
    Flush();
    int32_t step = -3;
    VsMemcpy ratio;
    for (auto _ : state) {
        ratio.Iterate([&] {
            const int32_t next = y.GetOffset() + step;
            if (next < view - after || next > -before)
                step = -step;
            y.SetPosition(y.GetOffset() + step);
            Flush();
        });
    }
    ratio.Report(state);
}
BENCHMARK(BM_LongLineScrollFrame)->Arg(0)->Arg(1);

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
