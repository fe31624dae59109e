// quorix-signin as a person uses it: the program itself, started beside this test, signed
// in to the local service and typed at on its standard input.
#include "tests/support/LocalService.h"
#include "tests/support/Spawn.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// The program with its standard input and output on pipes, and a registry of its own.
class SigninProgram {
public:
    SigninProgram(const std::vector<std::string>& arguments, const std::string& registry)
    {
        const std::string program
            = (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "tools/signin/quorix-signin").string();
        int in[2], out[2];
        if (!std::filesystem::exists(program) || pipe(in) != 0 || pipe(out) != 0)
            return;
        std::vector<std::string> args { program };
        args.insert(args.end(), arguments.begin(), arguments.end());
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], 0);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_addclose(&actions, in[1]);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        m_pid = SpawnProgram(args, { "QUORIX_REGISTRY=" + registry }, &actions);
        posix_spawn_file_actions_destroy(&actions);
        close(in[0]);
        close(out[1]);
        m_in = in[1];
        m_out = out[0];
    }
    ~SigninProgram()
    {
        if (m_in >= 0)
            close(m_in);
        if (m_pid > 0 && !m_exited) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        if (m_out >= 0)
            close(m_out);
    }
    SigninProgram(const SigninProgram&) = delete;
    SigninProgram& operator=(const SigninProgram&) = delete;

    bool IsRunning() const { return m_pid > 0; }

    void Type(const std::string& line) { (void)!write(m_in, (line + "\n").data(), line.size() + 1); }

    // Reads what it prints until the text has come (true) or 15 seconds have passed; what
    // came before the text is consumed, the rest kept for the next wait.
    bool Prints(const std::string& text)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        for (;;) {
            const size_t at = m_printed.find(text);
            if (at != std::string::npos) {
                m_seen += m_printed.substr(0, at + text.size());
                m_printed.erase(0, at + text.size());
                return true;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now()).count();
            pollfd p { m_out, POLLIN, 0 };
            char buffer[4096];
            ssize_t n = 0;
            if (left <= 0 || poll(&p, 1, int(left)) <= 0 || (n = read(m_out, buffer, sizeof buffer)) <= 0)
                return false;
            m_printed.append(buffer, size_t(n));
        }
    }
    // Everything printed so far.
    std::string Printed() const { return m_seen + m_printed; }

    // Its exit code once it ended by itself, -1 when it did not within 15 seconds.
    int ExitCode()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        int status = 0;
        while (waitpid(m_pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline)
                return -1;
            usleep(10000);
        }
        m_exited = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
    bool m_exited = false;
    std::string m_printed;
    std::string m_seen;
};

} // namespace

TEST(SigninConsole, MemoCommandsOnStandardInputListSendAndReportWhatWasNotDelivered)
{
    TempFolder folder;
    LocalService service(AccountsFile(folder), folder.Native("service.log"));
    ASSERT_TRUE(service.IsRunning()) << service.StartLine();
    service.Use();
    SigninProgram program({ "minsu@quorix.net", "minsu1234" }, folder.Native("registry"));
    ASSERT_TRUE(program.IsRunning());
    ASSERT_TRUE(program.Prints("connected; press Ctrl+C to sign out\n")) << program.Printed();

    // The first page of each box.
    program.Type("/inbox");
    ASSERT_TRUE(program.Prints("inbox, page 1: 2 memos\n")) << program.Printed();
    ASSERT_TRUE(program.Prints("from junho@quorix.net: 점심 약속\n")) << program.Printed();
    ASSERT_TRUE(program.Prints("from jiyeon@quorix.net (unread): 회의 자료\n")) << program.Printed();
    program.Type("/sent");
    ASSERT_TRUE(program.Prints("sent box, page 1: 1 memos\n")) << program.Printed();
    ASSERT_TRUE(program.Prints("to jiyeon@quorix.net: 고마워요\n")) << program.Printed();

    // A memo to a buddy and to nobody: the buddy has it, the one it did not reach is named.
    program.Type("/memo");
    ASSERT_TRUE(program.Prints("usage: /memo ID[;ID...] TEXT\n")) << program.Printed();
    program.Type("/memo jiyeon@quorix.net;nobody@quorix.net 점심 뭐 먹을까요?");
    ASSERT_TRUE(program.Prints("alert: 다음의 사용자들이 쪽지를 받지 못 했습니다. nobody@quorix.net\n"))
        << program.Printed();
    EXPECT_NE(service.Get("/account?id=jiyeon@quorix.net").find("점심 뭐 먹을까요?"), std::string::npos);

    // With the inbox listed, one that arrives is printed; /quit signs out.
    program.Type("/inbox");
    ASSERT_TRUE(program.Prints("inbox, page 1: 2 memos\n")) << program.Printed();
    service.Party("sign-in", "jiyeon@quorix.net");
    service.Party("memo", "jiyeon@quorix.net", R"(, "to": ["minsu@quorix.net"], "body": "김밥이요")");
    ASSERT_TRUE(program.Prints("from jiyeon@quorix.net (unread): 김밥이요\n")) << program.Printed();
    program.Type("/quit");
    ASSERT_TRUE(program.Prints("signing out\n")) << program.Printed();
    EXPECT_EQ(program.ExitCode(), 0) << program.Printed();
    EXPECT_NE(folder.Read("service.log").find("LOUT"), std::string::npos);
}
