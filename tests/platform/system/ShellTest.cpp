// The desktop's opener as the program starts it, played by small scripts put first on
// the PATH.
#include "platform/system/Shell.h"
#include "platform/event/MessageQueue.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <optional>

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
