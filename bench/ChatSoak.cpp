// Two clients chatting through the local service: this process signs in as minsu, a
// quorix-signin process signs in as jiyeon with --echo and says back every line. This
// side sends QUORIX_SOAK_LINES lines (10,000) with at most 64 waiting for their echo,
// and checks that every echo comes back, in order and unchanged. Reported: round trips
// per second (each is two chat lines through the service), this client's live heap
// (every allocation counted through the global operator new) and resident memory, and
// the peer's resident memory, after the first thousand lines and at the end. The peer
// program is found beside this one (tools/signin/quorix-signin) or at QUORIX_SIGNIN.
#include "bench/BenchSupport.h"
#include "messenger/MessengerScreens.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/protocol/chat/ChatActions.h"
#include "messenger/protocol/login/SavedLogin.h"
#include "platform/event/MessageQueue.h"
#include "ux/core/UxClock.h"
#include "ux/core/UxText.h"
#include "ux/core/UxTimerManager.h"

#ifndef QUORIX_TEST_SOURCE_DIR
#define QUORIX_TEST_SOURCE_DIR ""
#endif
#include "tests/support/LocalService.h"
#include "tests/support/MessengerSingletons.h"
#include "tests/support/Spawn.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <new>
#include <string>

namespace {

constexpr int kWindow = 64;
const std::wstring kSaid = L"이지연 (지연이) 님의 말:\n";

std::wstring Line(int n)
{
    return FormatString(L"줄 %05d\t공백  끝 100%%", n);
}

// Screens that keep nothing: the echoes are checked as they come.
class SoakScreens : public MessengerScreens {
public:
    class View : public ChatView {
    public:
        explicit View(SoakScreens& screens)
            : m_screens(screens)
        {
        }
        void AddLine(const std::wstring& text, int kind) override
        {
            if (kind == LineError)
                ++m_screens.errors;
            if (kind != LinePeer)
                return;
            if (text == kSaid + Line(m_screens.echoed + 1))
                ++m_screens.echoed;
            else
                ++m_screens.wrong;
        }
        void SetDate(const std::wstring&) override { }
        void UpdateTitle() override { }
        void UpdatePeerStatusIcon() override { }
        void UpdateInputBar() override { }
        bool IsOnTop() const override { return true; }
        void SendMessage(const std::wstring&) override { }

    private:
        SoakScreens& m_screens;
    };

    bool ShowMsgBox(const std::wstring& text) override
    {
        std::fprintf(stderr, "alert: %s\n", ToUtf8(text).c_str());
        ++errors;
        return true;
    }
    void ResetScreens() override { ended = true; }
    void ShowLoginForm() override { ended = true; }
    void RefreshMyStatus() override { }
    bool ReloadBuddyList() override { return true; }
    void ShowBuddyList() override { signedIn = true; }
    void RefreshBuddy(const std::wstring&) override { }
    void PlayAlert(int) override { }
    std::unique_ptr<ChatView> CreateChatView(ChatSession&) override { return std::make_unique<View>(*this); }
    void AddChatSession(ChatSession&) override { }
    void UpdateChatSession(ChatSession&) override { }
    void UpdateNotifyIcons() override { }
    void ReloadChatInfo(ChatSession&) override { }
    bool ShowNotifyBox(const std::wstring&, const std::wstring&) override { return true; }
    void ShowMemoInbox() override { }
    void RefreshChatPeer(const std::wstring&) override { }
    void RefreshBuddyProfile(const std::wstring&) override { }
    void MoveProfileBuddy(const std::wstring&, const std::wstring&) override { }
    void AskBuddyRequest(const std::wstring&, const std::wstring&, const std::wstring&) override { }
    void InsertNewMemos(int) override { }
    void AppendMemoPage(int) override { }
    Memo* GetShownMemo() override { return nullptr; }
    void SetMemo(const PktInImsg&) override { }

    bool signedIn = false;
    bool ended = false;
    int echoed = 0;
    int wrong = 0;
    int errors = 0;
};

void Wake(uintptr_t) { }

// Runs the message loop until done() holds; false when the time runs out or the
// session ends.
template <typename Done> bool Loop(SoakScreens& screens, Done done, int seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    plat::MSG msg;
    while (!done()) {
        if (screens.ended || std::chrono::steady_clock::now() > deadline)
            return false;
        if (plat::GetMessageW(&msg, nullptr, 0, 0) <= 0)
            return false;
        UxClock::GetInstance()->Update();
        plat::TranslateMessage(&msg);
        plat::DispatchMessageW(&msg);
    }
    return true;
}

std::string Executable()
{
    if (const char* path = std::getenv("QUORIX_SIGNIN"))
        return path;
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "tools/signin/quorix-signin")
        .string();
}

void ChatSoak(benchmark::State& state)
{
    const char* count = std::getenv("QUORIX_SOAK_LINES");
    const int lines = count && std::atoi(count) >= 2000 ? std::atoi(count) : 10000;
    const std::string source = std::filesystem::path(__FILE__).parent_path().parent_path().string();
    setenv("QUORIX_SOURCE_DIR", source.c_str(), 0);
    TempFolder folder;
    LocalService service(source + "/tools/localservice/demo_accounts.json", folder.Native("service.log"));
    if (!service.IsRunning()) {
        state.SkipWithError("the local service did not start");
        return;
    }
    service.Use();

    // The peer, with a registry of its own.
    const std::string program = Executable(), user = "jiyeon@quorix.net";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(
        &actions, 1, folder.Native("peer.out").c_str(), O_WRONLY | O_CREAT, 0600);
    const pid_t peerPid = SpawnProgram({ program, "--echo", user, "jiyeon1234" },
        { "QUORIX_REGISTRY=" + folder.Native("peer/registry") }, &actions);
    posix_spawn_file_actions_destroy(&actions);
    if (peerPid <= 0) {
        state.SkipWithError(("cannot start " + program).c_str());
        return;
    }

    setenv("QUORIX_REGISTRY", folder.Native("client/registry").c_str(), 1);
    SoakScreens screens;
    MessengerScreens::SetCurrent(&screens);
    {
        UxClock clock;
        UxTimerManager timers;
        BasicMessengerSingletons<TarvPeer> m;
        timers.Add(0, 0.2f, &Wake, 0);
        m.me.Id = L"minsu@quorix.net";
        m.me.PasswordDigest = MakePasswordDigest(m.me.Id, L"minsu1234");
        m.peer.ConnectDispatch();
        ChatSession* chat = nullptr;
        const char* failed = nullptr;
        if (!Loop(
                screens, [&] { return screens.signedIn; }, 30))
            failed = "this client did not sign in";
        else if (!Loop(
                     screens, [&] { return service.Get("/state").find(user) != std::string::npos; }, 30))
            failed = "the peer did not sign in";
        else if (!(chat = OpenChat(L"jiyeon@quorix.net", L"이지연"))
            || !Loop(
                screens, [&] { return chat->Participants.size() == 1; }, 30))
            failed = "the peer did not join the chat";
        if (failed) {
            state.SkipWithError(failed);
        } else {
            for (auto _ : state) {
                int sent = 0;
                double heapAt1k = 0, rssAt1k = 0, peerAt1k = 0;
                const auto start = std::chrono::steady_clock::now();
                const bool done = Loop(
                    screens,
                    [&] {
                        if (screens.echoed >= 1000 && heapAt1k == 0) {
                            heapAt1k = static_cast<double>(g_heapLive);
                            rssAt1k = ResidentKb();
                            peerAt1k = ResidentKb(peerPid);
                        }
                        while (sent < lines && sent - screens.echoed < kWindow && screens.wrong == 0)
                            SendChatText(*chat, Line(++sent));
                        return screens.echoed == lines || screens.wrong != 0;
                    },
                    600);
                const double seconds
                    = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                if (!done || screens.wrong || screens.errors || screens.echoed != lines)
                    state.SkipWithError("lines were lost, changed or reordered");
                state.counters["round_trips_per_s"] = screens.echoed / seconds;
                state.counters["lines_through_service_per_s"] = 2 * screens.echoed / seconds;
                state.counters["client_heap_kb_at_1k"] = heapAt1k / 1024;
                state.counters["client_heap_kb_at_end"] = static_cast<double>(g_heapLive) / 1024;
                state.counters["client_rss_kb_at_1k"] = rssAt1k;
                state.counters["client_rss_kb_at_end"] = ResidentKb();
                state.counters["peer_rss_kb_at_1k"] = peerAt1k;
                state.counters["peer_rss_kb_at_end"] = ResidentKb(peerPid);
                state.counters["lines"] = screens.echoed;
                state.counters["pending_requests"] = static_cast<double>(m.pending.GetCount());
            }
        }
        m.peer.Disconnect();
    }
    MessengerScreens::SetCurrent(nullptr);
    kill(peerPid, SIGTERM);
    int status = 0;
    waitpid(peerPid, &status, 0);
}

BENCHMARK(ChatSoak)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

COUNT_HEAP_ALLOCATIONS()
