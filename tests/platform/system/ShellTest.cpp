// The desktop's opener as the program starts it, played by small scripts put first on
// the PATH.
#include "platform/system/Shell.h"
#include "platform/event/MessageQueue.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <pthread.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <optional>
#include <thread>

namespace {

class ShellOpenTest : public ::testing::Test {
protected:
    void SetUp() override { path.Set(folder.Native() + ":" + path.Previous()); }

    // The opener for the next calls: a shell script with its target as $1.
    void Opener(const std::string& body)
    {
        folder.Write("xdg-open", "#!/bin/sh\n" + body + "\n");
        chmod(folder.Native("xdg-open").c_str(), 0755);
    }
    // Runs the message loop until the answer is in.
    static void Await(const std::optional<bool>& answer)
    {
        while (!answer) {
            plat::MSG msg;
            plat::GetMessageW(&msg, nullptr, 0, 0);
            plat::DispatchMessageW(&msg);
        }
    }
    bool Open(const std::wstring& target)
    {
        std::optional<bool> answer;
        plat::ShellOpen(target, [&](bool opened) { answer = opened; });
        Await(answer);
        return *answer;
    }

    TempFolder folder;
    ScopedEnv path { "PATH" };
};

} // namespace

TEST_F(ShellOpenTest, TheAnswerIsTheOpenersExitStatus)
{
    Opener("echo \"$1\" > '" + folder.Native("target") + "'");
    EXPECT_TRUE(Open(L"http://example.invalid/a b"));
    EXPECT_EQ(folder.Read("target"), "http://example.invalid/a b\n");
    // Designed paths go as native ones.
    EXPECT_TRUE(Open(folder.Designed("x.cab")));
    EXPECT_EQ(folder.Read("target"), folder.Native("x.cab") + "\n");

    Opener("exit 4");
    EXPECT_FALSE(Open(L"http://example.invalid/"));
    Opener("kill -9 $$");
    EXPECT_FALSE(Open(L"http://example.invalid/"));
    EXPECT_FALSE(Open(L""));
    // No opener at all.
    path.Set(folder.Native("none"));
    EXPECT_FALSE(Open(L"http://example.invalid/"));
}

TEST_F(ShellOpenTest, TheCallerIsNotHeldWhileTheOpenerWorks)
{
    // The opener waits until the test lets it go.
    const std::string gate = folder.Native("gate");
    ASSERT_EQ(mkfifo(gate.c_str(), 0600), 0);
    Opener("read line < '" + gate + "'");
    std::optional<bool> answer;
    plat::ShellOpen(L"http://example.invalid/", [&](bool opened) { answer = opened; });
    plat::DispatchPending();
    EXPECT_FALSE(answer);
    std::ofstream(gate) << "go\n";
    Await(answer);
    EXPECT_TRUE(*answer);

    // Even an answer known at once comes from the message loop, not from within the call.
    answer.reset();
    path.Set(folder.Native("none"));
    plat::ShellOpen(L"http://example.invalid/", [&](bool opened) { answer = opened; });
    EXPECT_FALSE(answer);
    plat::DispatchPending();
    EXPECT_EQ(answer, false);
}

TEST_F(ShellOpenTest, TheOpenerStartsWithNoSignalBlockedOrIgnored)
{
    // As the program runs: SIGPIPE ignored for its sockets, and a thread that blocks the
    // signals a logout sends.
    const auto pipe = std::signal(SIGPIPE, SIG_IGN);
    sigset_t logout, before;
    sigemptyset(&logout);
    sigaddset(&logout, SIGINT);
    sigaddset(&logout, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &logout, &before);
    Opener("exec grep -E '^Sig(Blk|Ign)' /proc/self/status > '" + folder.Native("signals") + "'");
    const bool opened = Open(L"http://example.invalid/");
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    std::signal(SIGPIPE, pipe);
    EXPECT_TRUE(opened);
    // The masks of signals 1 to 64 in hex; the C library's own above 31 aside.
    unsigned long long blocked = ~0ull, ignored = ~0ull;
    ASSERT_EQ(std::sscanf(folder.Read("signals").c_str(), "SigBlk: %llx SigIgn: %llx", &blocked, &ignored), 2);
    EXPECT_EQ(blocked, 0u);
    EXPECT_EQ(ignored & 0x7fffffffu, 0u) << std::hex << ignored;
}

TEST_F(ShellOpenTest, AnOpenerStillRunningAfterItsPatienceHasHandedTheTargetOn)
{
    // An opener that waits for the browser it started, which closes ten seconds later
    // with a failure.
    plat::SetShellOpenPatience(200);
    const std::string browser = folder.Native("browser");
    Opener("sleep 10 & echo $! > '" + browser + "'; wait $!; exit 1");
    const auto started = std::chrono::steady_clock::now();
    std::optional<bool> answer;
    int answers = 0;
    plat::ShellOpen(L"http://example.invalid/", [&](bool opened) {
        answer = opened;
        ++answers;
    });
    Await(answer);
    EXPECT_TRUE(*answer);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));

    // Its late failure changes nothing.
    const pid_t pid = std::stoi(folder.Read("browser"));
    ASSERT_GT(pid, 0);
    kill(pid, SIGTERM);
    for (int i = 0; i < 50 && kill(pid, 0) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    plat::DispatchPending();
    EXPECT_EQ(answers, 1);

    // One that fails within its patience still says so.
    Opener("sleep 0.05; exit 3");
    EXPECT_FALSE(Open(L"http://example.invalid/"));
    plat::SetShellOpenPatience(3000);
}
