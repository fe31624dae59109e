// The real program under an X server: it draws its first screen from the skin, a second
// start hands over to the first and ends, a signal shuts it down cleanly, and it leaves
// no session bus behind.
#include "tests/app/shell/OfflineApp.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/Spawn.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sys/stat.h>
#include <thread>
#include <vector>

// Last: Xlib's macros clash with the headers above.
#include "tests/support/XvfbServer.h"

namespace {

constexpr int kScreen = 800;

class Program {
public:
    Program(const std::string& path, const std::vector<std::string>& environment)
        : m_pid(SpawnProgram({ path }, environment))
    {
    }
    ~Program()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }

    bool IsStarted() const { return m_pid > 0; }
    void Signal(int signal) { kill(m_pid, signal); }
    // The exit status once it has ended within ms, else -1.
    int Wait(int ms)
    {
        for (int waited = 0; waited <= ms; waited += 10) {
            int status = 0;
            if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return -1;
    }

private:
    pid_t m_pid = -1;
};

// The frame the driver shows.
plat::Bitmap* Capture(AppDriver& driver)
{
    plat::Bitmap* frame = plat::Bitmap::Create(480, 640, false);
    for (int y = 0; y < 640; ++y)
        for (int x = 0; x < 480; ++x)
            frame->Row(y)[x] = driver.Pixel(x, y);
    return frame;
}

// The bounding box of everything that is not the server's black background.
plat::RECT Drawn(plat::Bitmap* screen)
{
    plat::RECT box { kScreen, kScreen, 0, 0 };
    for (int y = 0; y < kScreen; ++y)
        for (int x = 0; x < kScreen; ++x)
            if (screen->Row(y)[x] & 0xFFFFFF) {
                box.left = std::min<int32_t>(box.left, x);
                box.top = std::min<int32_t>(box.top, y);
                box.right = std::max<int32_t>(box.right, x + 1);
                box.bottom = std::max<int32_t>(box.bottom, y + 1);
            }
    return box;
}

} // namespace

TEST(SmokeTest, TheProgramDrawsItsFirstScreenAndEndsCleanly)
{
    const std::string program = plat::NativePath(GetModuleDirectory()) + "/quorix";
    if (access(program.c_str(), X_OK) != 0)
        GTEST_SKIP() << "quorix is not built beside the tests";
    if (!XvfbServer::IsInstalled())
        GTEST_SKIP() << "Xvfb is not installed (scripts/setup installs it)";

    // What the first screen looks like, drawn headless in this process, and how it looks
    // once "minsu" is typed.
    plat::Bitmap* expected = nullptr;
    plat::Bitmap* typed = nullptr;
    {
        AppDriver driver(Offline());
        ASSERT_TRUE(driver.Start());
        expected = Capture(driver);
        driver.Type(L"minsu");
        typed = Capture(driver);
    }

    XvfbServer server;
    ASSERT_TRUE(server.Start(kScreen, kScreen));
    TempFolder home;
    // The session-bus library SDL loads keeps a buffer for the life of the process.
    home.Write("lsan.supp", "leak:libdbus-1.so\n");
    const std::vector<std::string> environment = { "DISPLAY=" + server.display, "QUORIX_DISPLAY=sdl",
        "QUORIX_SCALE=1", "QUORIX_REGISTRY=" + home.Native("registry"), "XDG_RUNTIME_DIR=" + home.Native(),
        "LSAN_OPTIONS=suppressions=" + home.Native("lsan.supp") };
    Program first(program, environment);
    ASSERT_TRUE(first.IsStarted());

    XScreenReader reader(server.display);
    ASSERT_TRUE(reader.IsOpen());
    const std::string folder = plat::NativePath(GetModuleDirectory()) + "/screenshots/SmokeTest";
    std::filesystem::create_directories(folder);
    // Waits for the window to show frame; the pixels that still differ, -1 when the window
    // never showed whole. The caret blinks: a frame with it as drawn headless is waited for.
    auto shows = [&](const plat::Bitmap* frame, const std::string& name) {
        plat::Bitmap* screen = nullptr;
        int differing = -1;
        for (int i = 0; i < 600 && differing != 0; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(50))) {
            if (screen)
                plat::DeleteObject(screen);
            screen = reader.Take(kScreen, kScreen);
            if (!screen)
                break;
            const plat::RECT box = Drawn(screen);
            if (box.right - box.left != 480 || box.bottom - box.top != 640)
                continue;
            differing = 0;
            for (int y = 0; y < 640; ++y)
                for (int x = 0; x < 480; ++x)
                    differing += (screen->Row(box.top + y)[box.left + x] & 0xFFFFFF) != frame->Row(y)[x];
        }
        if (screen) {
            plat::WritePng(screen, folder + "/" + name + ".png");
            plat::DeleteObject(screen);
        }
        return differing;
    };
    EXPECT_EQ(shows(expected, "first-screen"), 0);
    // Typed as soon as the form shows, after the window came forward, the keys reach the id.
    if (RunProgram({ "xdotool", "type", "minsu" }, { "DISPLAY=" + server.display }))
        EXPECT_EQ(shows(typed, "typed"), 0);
    else
        ADD_FAILURE() << "xdotool could not type (scripts/setup installs it)";
    plat::DeleteObject(typed);
    plat::DeleteObject(expected);

    // A second start finds the first, asks it to the front and ends at once.
    Program second(program, environment);
    EXPECT_EQ(second.Wait(20000), 0);
    EXPECT_EQ(first.Wait(0), -1) << "the first copy ended";

    first.Signal(SIGTERM);
    EXPECT_EQ(first.Wait(20000), 0);
}

// What the tests and benchmarks give a program they start is what it sees, also where a
// shell or a script (a profiler's, say) stands between: the given value, not this
// process's own.
TEST(SmokeTest, AStartedProgramSeesTheVariablesGivenInPlaceOfThoseInherited)
{
    ScopedEnv own("QUORIX_SPAWN_CHECK", "inherited");
    TempFolder folder;
    const std::vector<std::string> script = { "sh", "-c",
        "printf '%s %s' \"$QUORIX_SPAWN_CHECK\" \"$QUORIX_SPAWN_ADDED\" > \"$0\"", folder.Native("out") };
    ASSERT_TRUE(RunProgram(script, { "QUORIX_SPAWN_CHECK=given", "QUORIX_SPAWN_ADDED=added" }));
    EXPECT_EQ(folder.Read("out"), "given added");
    ASSERT_TRUE(RunProgram(script));
    EXPECT_EQ(folder.Read("out"), "inherited ");
    EXPECT_EQ(SpawnProgram({ folder.Native("no such program") }), -1);
}

namespace {

// The processes (other than this one) whose environment holds the entry, by id.
std::vector<pid_t> ProcessesWith(const std::string& entry)
{
    std::vector<pid_t> found;
    for (const auto& process : std::filesystem::directory_iterator("/proc")) {
        const std::string name = process.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos || std::stoi(name) == getpid())
            continue;
        std::ifstream in(process.path() / "environ", std::ios::binary);
        const std::string environment { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
        if (environment.find(std::string(1, '\0') + entry + '\0') != std::string::npos
            || environment.starts_with(entry + '\0'))
            found.push_back(std::stoi(name));
    }
    return found;
}

std::string CommandOf(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/cmdline", std::ios::binary);
    std::string command { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    std::replace(command.begin(), command.end(), '\0', ' ');
    return command;
}

} // namespace

// Where no session bus is set (none in the environment, none at the runtime folder's
// place), the program reaches none and starts none: nothing it leaves behind carries its
// environment. Where one is set, what it starts to reach it does not inherit the compose
// table's cache folder, which only the display's opening is offered. Each in a program of
// its own, so that no earlier use of the bus in this process decides.
TEST(SmokeTest, NoBusIsStartedAndNothingStartedInheritsTheComposeCache)
{
    const std::string program = plat::NativePath(GetModuleDirectory()) + "/quorix";
    if (access(program.c_str(), X_OK) != 0)
        GTEST_SKIP() << "quorix is not built beside the tests";
    if (!XvfbServer::IsInstalled())
        GTEST_SKIP() << "Xvfb is not installed (scripts/setup installs it)";
    XvfbServer server;
    ASSERT_TRUE(server.Start(kScreen, kScreen));
    TempFolder home;
    home.Write("lsan.supp", "leak:libdbus-1.so\n");
    ScopedEnv composeCache("XCOMPOSECACHE");
    composeCache.Unset();
    const std::string mark = "QUORIX_BUS_CHECK=" + std::to_string(getpid()) + "-" + home.Native();
    std::vector<std::string> environment = { "DISPLAY=" + server.display, "QUORIX_DISPLAY=sdl",
        "QUORIX_REGISTRY=" + home.Native("registry"), "XDG_RUNTIME_DIR=" + home.Native("run"),
        "XDG_CACHE_HOME=" + home.Native("cache"), "LSAN_OPTIONS=suppressions=" + home.Native("lsan.supp"), mark };
    std::filesystem::create_directories(home.Native("run"));
    // Runs the program until its window shows, then closes it.
    const auto run = [&] {
        Program quorix(program, environment);
        ASSERT_TRUE(quorix.IsStarted());
        bool shown = false;
        for (int i = 0; i < 200 && !shown && quorix.Wait(0) == -1; ++i) {
            shown = RunProgram({ "xdotool", "search", "--name", "^Quorix$" }, { "DISPLAY=" + server.display });
            if (!shown)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        EXPECT_TRUE(shown) << "the window did not show";
        quorix.Signal(SIGTERM);
        EXPECT_EQ(quorix.Wait(20000), 0);
    };

    ScopedEnv bus("DBUS_SESSION_BUS_ADDRESS");
    bus.Unset();
    if (access("/usr/bin/dbus-launch", X_OK) != 0)
        std::cerr << "dbus-launch is not installed (scripts/setup installs it): no library could start a bus\n";
    run();
    std::vector<pid_t> left = ProcessesWith(mark);
    for (pid_t pid : left) {
        ADD_FAILURE() << "left running with our environment: " << CommandOf(pid);
        kill(pid, SIGKILL);
    }
    EXPECT_FALSE(std::filesystem::exists(home.Native("run/bus")));

    // A bus set as a program to start: it notes what it inherited and ends.
    home.Write("bus", "#!/bin/sh\ntr '\\0' '\\n' < /proc/$$/environ > '" + home.Native("inherited") + "'\n");
    ASSERT_EQ(chmod(home.Native("bus").c_str(), 0755), 0);
    environment.push_back("DBUS_SESSION_BUS_ADDRESS=unixexec:path=" + home.Native("bus"));
    run();
    const std::string inherited = home.Read("inherited");
    ASSERT_NE(inherited.find(mark), std::string::npos) << "the set bus was not started";
    EXPECT_EQ(inherited.find("XCOMPOSECACHE"), std::string::npos) << inherited;
    EXPECT_TRUE(std::filesystem::is_directory(home.Native("cache/quorix/compose")));
}
