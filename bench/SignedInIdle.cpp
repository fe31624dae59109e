// The real program as a user runs it: its own window under an X server, signed in with a
// saved login against the local service to an account of N buddies in 50 groups, 100 of
// them online; then left alone. Measured from outside, from /proc:
//
//   cpu_ms          CPU of all threads from exec until the buddy list is drawn and quiet
//   rss_anon_kb     private memory then (RssAnon); rss_kb the resident memory (VmRSS)
//   threads         threads then
//   wakeups_min     voluntary + involuntary context switches of all threads, per minute
//                   of idle (QUORIX_IDLE_SECONDS, 60); stderr names each thread's share;
//                   involuntary_min the part that other processes' load caused
//
// next to a bare SDL window (software surface, filled once, waiting in SDL_WaitEvent),
// measured the same way in the same run. SignedInWithChats/1000 then has ten online
// buddies each open a chat and say 500 lines of 40 characters through the service's
// second parties, and reports the same figures once all is received and quiet
// (rss_anon_kb_without_chats and chats_cpu_ms tell what the chats added). Run from a
// release build:
//
//   bench_SignedInIdle [--benchmark_filter=BareSdl|SignedIn/1000|SignedIn/10000|SignedInWithChats]
//
// The program is found beside this one (or at QUORIX_PROGRAM); it needs Xvfb and xdotool.
// The screen at the settled moment is saved under screenshots/bench/.
#include "bench/BenchSupport.h"
#include "bench/ProcessFigures.h"
#include "messenger/protocol/login/SavedLogin.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Utf8.h"
#include "ux/core/UxPath.h"
#include "ux/core/UxRegistryKey.h"
#include "ux/core/UxText.h"

#ifndef QUORIX_TEST_SOURCE_DIR
#define QUORIX_TEST_SOURCE_DIR ""
#endif
#include "tests/support/LocalService.h"
#include "tests/support/Spawn.h"
#include "tests/support/TempFolder.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sys/resource.h>
#include <thread>

// Last: Xlib's macros clash with the headers above.
#include "tests/support/XvfbServer.h"

namespace {

constexpr int kGroups = 50;
constexpr int kScreen = 800; // the X server's screen, square
const std::string kOwner = "bench@quorix.net";
const std::string kPassword = "bench1234";
// The middle of the saved-login screen's login button, in the window.
constexpr int kLoginX = 240, kLoginY = 348;

std::string ProgramFolder()
{
    return plat::NativePath(GetModuleDirectory());
}

std::string BuddyId(int b)
{
    char id[32];
    std::snprintf(id, sizeof id, "b%05d@quorix.net", b);
    return id;
}

// The owner with its groups and buddies, and one account per buddy.
std::string MakeAccounts(int buddies)
{
    const char* family[] = { "김", "이", "박", "최", "정", "강", "조", "윤", "장", "임" };
    std::string owner = "{\"id\": \"" + kOwner + "\", \"password\": \"" + kPassword
        + "\", \"name\": \"벤치\", \"nick\": \"벤치\", \"groups\": [";
    for (int g = 0; g < kGroups; ++g)
        owner += std::string(g ? ", " : "") + "{\"id\": \"" + std::to_string(g) + "\", \"name\": \"그룹 "
            + std::to_string(g + 1) + "\"}";
    owner += "], \"buddies\": [";
    std::string others;
    for (int b = 0; b < buddies; ++b) {
        owner += std::string(b ? ", " : "") + "{\"id\": \"" + BuddyId(b)
            + "\", \"flags\": \"1101\", \"group\": \"" + std::to_string(b % kGroups) + "\"}";
        others += ", {\"id\": \"" + BuddyId(b) + "\", \"password\": \"x\", \"name\": \"" + family[b % 10]
            + "민수" + std::to_string(b) + "\", \"nick\": \"오늘도 좋은 하루 " + std::to_string(b)
            + "\", \"buddies\": [{\"id\": \"" + kOwner + "\", \"flags\": \"1101\"}]}";
    }
    return "{\"domain\": \"quorix.net\", \"accounts\": [" + owner + "]}" + others + "]}";
}

// One process's figures, read from /proc.
struct Sample {
    double runtimeNs = 0; // of the live threads
    double switches = 0;
    double involuntary = 0; // preempted, as on a busy machine, rather than asleep
    std::map<std::string, double> switchesByThread; // "name/tid"
    double rssAnonKb = 0, rssKb = 0, threads = 0;
};

Sample Read(pid_t pid)
{
    Sample s;
    const std::string root = "/proc/" + std::to_string(pid);
    s.rssAnonKb = ProcessStatus("RssAnon", pid);
    s.rssKb = ProcessStatus("VmRSS", pid);
    s.threads = ProcessStatus("Threads", pid);
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(root + "/task", error)) {
        const std::string path = task.path().string();
        double runtime = 0;
        std::ifstream(path + "/schedstat") >> runtime;
        s.runtimeNs += runtime;
        const double involuntary = StatusField(path + "/status", "nonvoluntary_ctxt_switches");
        const double switches = StatusField(path + "/status", "voluntary_ctxt_switches") + involuntary;
        s.involuntary += involuntary;
        std::string name;
        std::getline(std::ifstream(path + "/comm"), name);
        s.switches += switches;
        s.switchesByThread[name + "/" + task.path().filename().string()] = switches;
    }
    return s;
}

// Waits until no thread of the process has run for quietMs; the sample taken at the
// start of that quiet span, or nothing when the process ended or timeoutMs passed.
bool WaitQuiet(pid_t pid, int quietMs, int timeoutMs, Sample* settled)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    Sample last = Read(pid);
    auto since = Clock::now();
    while (Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (kill(pid, 0) != 0)
            return false;
        Sample now = Read(pid);
        if (now.runtimeNs != last.runtimeNs || now.switches != last.switches) {
            last = now;
            since = Clock::now();
        } else if (Clock::now() - since >= std::chrono::milliseconds(quietMs)) {
            *settled = last;
            return true;
        }
    }
    return false;
}

// CPU of the whole process from exec to its end, kill included (a few microseconds).
double KillAndTakeCpuMs(pid_t pid)
{
    kill(pid, SIGKILL);
    int status = 0;
    rusage usage {};
    wait4(pid, &status, 0, &usage);
    auto ms = [](const timeval& t) { return double(t.tv_sec) * 1000.0 + double(t.tv_usec) / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

XvfbServer& Server();

bool Click(int x, int y)
{
    return RunProgram({ "xdotool", "mousemove", std::to_string(x), std::to_string(y), "click", "1" },
        { "DISPLAY=" + Server().display });
}

// What the program measured (and the bare window) is started with besides its own
// variables: a session bus address in its folder where nothing listens, so that neither
// SDL nor GLib starts a bus of its own that would outlive the run.
std::vector<std::string> WindowEnvironment(const TempFolder& home, std::vector<std::string> variables)
{
    variables.push_back("DISPLAY=" + Server().display);
    variables.push_back("XDG_RUNTIME_DIR=" + home.Native());
    variables.push_back("DBUS_SESSION_BUS_ADDRESS=unix:path=" + home.Native("no-session-bus"));
    return variables;
}

XvfbServer& Server()
{
    static XvfbServer server;
    static const bool started = server.Start(kScreen, kScreen);
    if (!started)
        server.display.clear();
    return server;
}

// Where the server placed the window: the top left of all that is not its black
// background; false while nothing is drawn.
bool FindWindowOrigin(plat::POINT* origin)
{
    XScreenReader reader(Server().display);
    plat::Bitmap* screen = reader.IsOpen() ? reader.Take(kScreen, kScreen) : nullptr;
    plat::POINT found { kScreen, kScreen };
    for (int y = 0; screen && y < kScreen; ++y)
        for (int x = 0; x < kScreen; ++x)
            if (screen->Row(y)[x] & 0xFFFFFF) {
                found.x = std::min<int32_t>(found.x, x);
                found.y = std::min<int32_t>(found.y, y);
            }
    if (screen)
        plat::DeleteObject(screen);
    if (found.x + 480 > kScreen || found.y + 640 > kScreen)
        return false;
    *origin = found;
    return true;
}

// Waits until the window is drawn, at most timeoutMs.
bool WaitForWindow(int timeoutMs, plat::POINT* origin)
{
    for (int waited = 0; waited < timeoutMs; waited += 100) {
        if (FindWindowOrigin(origin))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

void Screenshot(const std::string& name)
{
    XScreenReader reader(Server().display);
    plat::POINT origin;
    plat::Bitmap* screen
        = reader.IsOpen() && FindWindowOrigin(&origin) ? reader.Take(480, 640, origin.x, origin.y) : nullptr;
    if (!screen)
        return;
    const std::string folder = ProgramFolder() + "/screenshots/bench";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    plat::WritePng(screen, folder + "/" + name + ".png");
    plat::DeleteObject(screen);
}

int IdleSeconds()
{
    const char* env = std::getenv("QUORIX_IDLE_SECONDS");
    return env && std::atoi(env) > 0 ? std::atoi(env) : 60;
}

// Settled at `settled`: left alone for the idle span, then ended; the counters.
void Measure(benchmark::State& state, pid_t pid, const Sample& settled, const std::string& shot)
{
    Screenshot(shot);
    const int seconds = IdleSeconds();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const Sample idle = Read(pid);
    const double idleCpuMs = (idle.runtimeNs - settled.runtimeNs) / 1e6;
    const double cpuMs = KillAndTakeCpuMs(pid) - idleCpuMs;
    state.counters["cpu_ms"] = cpuMs;
    state.counters["rss_anon_kb"] = settled.rssAnonKb;
    state.counters["rss_kb"] = settled.rssKb;
    state.counters["threads"] = settled.threads;
    state.counters["wakeups_min"] = (idle.switches - settled.switches) * 60.0 / seconds;
    state.counters["involuntary_min"] = (idle.involuntary - settled.involuntary) * 60.0 / seconds;
    state.counters["idle_cpu_ms_min"] = idleCpuMs * 60.0 / seconds;
    std::fprintf(stderr, "%s: wake-ups in %d s of idle by thread:", shot.c_str(), seconds);
    for (const auto& [thread, switches] : idle.switchesByThread) {
        auto before = settled.switchesByThread.find(thread);
        std::fprintf(stderr, " %s %.0f", thread.c_str(),
            switches - (before == settled.switchesByThread.end() ? 0 : before->second));
    }
    std::fprintf(stderr, "\n");
}

// The program started under the X server with a saved login, signed in to the bench
// account of a number of buddies, with the list drawn and quiet.
struct SignedInProgram {
    explicit SignedInProgram(int buddies)
    {
        setenv("QUORIX_SOURCE_DIR", std::filesystem::path(__FILE__).parent_path().parent_path().c_str(), 0);
        home.Write("accounts.json", MakeAccounts(buddies));
        service = std::make_unique<LocalService>(home.Native("accounts.json"), home.Native("service.log"));
        for (int k = 0; k < 100; ++k)
            online.push_back(BuddyId(buddies / 100 * k + k % 10)); // spread over the groups
    }
    ~SignedInProgram()
    {
        if (pid > 0)
            KillAndTakeCpuMs(pid);
    }

    // Starts the program and signs in; false (with the reason on state) when it does not
    // settle.
    bool Start(benchmark::State& state)
    {
        const char* override = std::getenv("QUORIX_PROGRAM");
        const std::string program = override ? override : ProgramFolder() + "/quorix";
        if (access(program.c_str(), X_OK) != 0 || Server().display.empty()) {
            state.SkipWithError("needs the program beside the benchmark and Xvfb");
            return false;
        }
        if (!service->IsRunning()) {
            state.SkipWithError("the local service did not start");
            return false;
        }
        for (const std::string& id : online)
            service->Party("sign-in", id);
        // What a kept login leaves for the next start.
        setenv("QUORIX_REGISTRY", home.Native("registry").c_str(), 1);
        {
            UxRegistryKey key;
            key.Create(kMessengerRegistryPath) && key.SetString(L"LoginBuddyId", ToWide(kOwner))
                && key.SetDword(L"LoginKeepIdPassword", 1)
                && key.SetDword(L"AgreedWithWirelessConnection", 1);
        }
        SaveLoginPassword(MakePasswordDigest(ToWide(kOwner), ToWide(kPassword)));
        pid = SpawnProgram({ program },
            WindowEnvironment(home,
                { "QUORIX_DISPLAY=sdl", "QUORIX_SCALE=1", "XDG_DATA_HOME=" + home.Native("data"),
                    "QUORIX_DISPATCH_HOST=127.0.0.1",
                    "QUORIX_DISPATCH_PORT=" + std::to_string(service->dispatchPort),
                    "QUORIX_CA_FILE=" + service->caFile }));
        plat::POINT origin;
        bool ok = pid > 0 && WaitForWindow(20000, &origin) && WaitQuiet(pid, 500, 20000, &settled);
        Screenshot("saved-login");
        ok = ok && Click(origin.x + kLoginX, origin.y + kLoginY);
        ok = ok && WaitQuiet(pid, 1500, 180000, &settled);
        if (ok && service->Get("/state").find(kOwner) == std::string::npos)
            ok = false;
        return ok || Fail(state, "the program did not sign in and settle");
    }

    // count chats, each opened by one online buddy who then says lines lines in it; the
    // program settles after the last. False (with the reason on state) when it does not.
    bool OpenChats(benchmark::State& state, int count, int lines)
    {
        for (int c = 0; c < count; ++c) {
            const std::string user = online[size_t(c)];
            const std::string invited = service->Party("invite", user, R"(, "to": ")" + kOwner + "\"");
            const std::string sid = JsonText(invited, "sid"), key = JsonText(invited, "key");
            if (sid.empty() || !WaitForJoin(key))
                return Fail(state, "the program did not join the chat of " + user);
            for (int i = 0; i < lines; ++i) {
                const std::string text = plat::EncodeUtf8(ChatLineText(size_t(i)));
                service->Party("say", user, R"(, "sid": ")" + sid + R"(", "text": ")" + text + "\"");
            }
        }
        return WaitQuiet(pid, 1500, 180000, &settled) || Fail(state, "the program did not settle after the chats");
    }

    bool Fail(benchmark::State& state, const std::string& why)
    {
        Screenshot("not-settled");
        const std::string log = home.Read("service.log");
        std::fprintf(stderr, "the service's log ends:\n%s\n", log.substr(log.size() - std::min<size_t>(log.size(), 2000)).c_str());
        state.SkipWithError(why.c_str());
        return false;
    }

    TempFolder home;
    std::unique_ptr<LocalService> service;
    std::vector<std::string> online;
    pid_t pid = -1;
    Sample settled;

private:
    // The text of a string member of a flat JSON object ("" when absent).
    static std::string JsonText(const std::string& json, const std::string& name)
    {
        const std::string mark = "\"" + name + "\": \"";
        const size_t at = json.find(mark);
        if (at == std::string::npos)
            return "";
        const size_t from = at + mark.size();
        const size_t to = json.find('"', from);
        return to == std::string::npos ? "" : json.substr(from, to - from);
    }

    // Until the program has entered the chat room with this key (the service's state
    // lists it as a member that is no party), at most 20 s.
    bool WaitForJoin(const std::string& key)
    {
        for (int waited = 0; waited < 20000; waited += 20) {
            const std::string stateJson = service->Get("/state");
            const size_t room = stateJson.find("\"key\": \"" + key + "\"");
            const size_t end = room == std::string::npos ? room : stateJson.find("]}", room);
            const size_t member = room == std::string::npos ? room
                                                             : stateJson.find("\"entered\": true, \"party\": false", room);
            if (member != std::string::npos && member < end)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
};

// Signed in with state.range(0) buddies, then chats of 500 lines each (none for
// BM_SignedIn), measured and ended.
void SignIn(benchmark::State& state, int chats, const std::string& shot)
{
    const int buddies = int(state.range(0));
    for (auto _ : state) {
        SignedInProgram program(buddies);
        if (!program.Start(state))
            return;
        const Sample before = program.settled;
        if (chats) {
            if (!program.OpenChats(state, chats, 500))
                return;
            state.counters["rss_anon_kb_without_chats"] = before.rssAnonKb;
            state.counters["chats_cpu_ms"] = (program.settled.runtimeNs - before.runtimeNs) / 1e6;
        }
        Measure(state, program.pid, program.settled, shot + std::to_string(buddies));
        program.pid = -1;
    }
}

void BM_SignedIn(benchmark::State& state)
{
    SignIn(state, 0, "signed-in-");
}
BENCHMARK(BM_SignedIn)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// The same with 10 chats of 500 lines that buddies opened and wrote in: the CPU and memory
// from exec until all is received and quiet, and what the chats added.
void BM_SignedInWithChats(benchmark::State& state)
{
    SignIn(state, 10, "signed-in-chats-");
}
BENCHMARK(BM_SignedInWithChats)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void BM_BareSdlWindow(benchmark::State& state)
{
    if (Server().display.empty()) {
        state.SkipWithError("needs Xvfb");
        return;
    }
    for (auto _ : state) {
        TempFolder home;
        const pid_t pid = SpawnProgram({ "/proc/self/exe", "--bare-window" }, WindowEnvironment(home, {}));
        Sample settled;
        if (pid <= 0 || !WaitQuiet(pid, 1500, 20000, &settled)) {
            if (pid > 0)
                KillAndTakeCpuMs(pid);
            state.SkipWithError("the bare window did not settle");
            return;
        }
        Measure(state, pid, settled, "bare-window");
    }
}
BENCHMARK(BM_BareSdlWindow)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// The least a window drawn by its program takes: a software surface filled once, then
// waiting for events.
int BareWindow()
{
    SDL_Window* window = OpenBareWindow(0, 0);
    if (!window)
        return 1;
    SDL_Event event;
    while (SDL_WaitEvent(&event) && event.type != SDL_QUIT) {
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED)
            SDL_UpdateWindowSurface(window);
    }
    CloseBareWindow(window);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == "--bare-window")
        return BareWindow();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
