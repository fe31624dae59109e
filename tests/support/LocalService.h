#pragma once

// The local stand-in of the messenger service, started for one test: its dispatch,
// main and control ports are chosen free, its start line read, and the process ended
// when the object goes. Control requests are plain HTTP posts of JSON.

#include "tests/support/TempFolder.h"

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

// A file of the source tree; QUORIX_SOURCE_DIR names another tree than the one built.
inline std::string SourceFile(const std::string& relative)
{
    const char* source = std::getenv("QUORIX_SOURCE_DIR");
    return std::string(source ? source : QUORIX_TEST_SOURCE_DIR) + "/" + relative;
}

// The service's accounts file: the demo accounts for "", else the JSON text given,
// written into the folder.
inline std::string AccountsFile(const TempFolder& folder, const std::string& accounts = "")
{
    if (accounts.empty())
        return SourceFile("tools/localservice/demo_accounts.json");
    folder.Write("accounts.json", accounts);
    return folder.Native("accounts.json");
}

class LocalService {
public:
    // accounts: a JSON accounts file; log: where the service writes every frame.
    LocalService(const std::string& accounts, const std::string& log)
    {
        std::vector<std::string> args
            = { "python3", SourceFile("tools/localservice"), "--dispatch-port", "0",
                  "--idle-timeout", "600", "--accounts", accounts, "--log", log };
        int out[2];
        if (pipe(out) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawnp(&m_pid, "python3", &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        m_startLine = ReadLine(out[0], 60000);
        close(out[0]);
        dispatchPort = IntField("dispatch_port");
        controlPort = IntField("control_port");
        updatePort = IntField("update_port");
        caFile = StringField("ca_file");
    }

    ~LocalService()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            int status = 0;
            waitpid(m_pid, &status, 0);
        }
    }
    LocalService(const LocalService&) = delete;
    LocalService& operator=(const LocalService&) = delete;

    bool IsRunning() const { return m_pid > 0 && dispatchPort > 0 && controlPort > 0 && !caFile.empty(); }
    const std::string& StartLine() const { return m_startLine; }

    // The client's environment for this service: where to connect, which CA to trust.
    void Use() const
    {
        setenv("QUORIX_DISPATCH_HOST", "127.0.0.1", 1);
        setenv("QUORIX_DISPATCH_PORT", std::to_string(dispatchPort).c_str(), 1);
        setenv("QUORIX_CA_FILE", caFile.c_str(), 1);
        setenv("QUORIX_UPDATE_URL", ("http://127.0.0.1:" + std::to_string(updatePort)).c_str(), 1);
        unsetenv("QUORIX_TLS_VERIFY");
    }

    // POSTs JSON to the control channel; the response body, or "" when it failed.
    std::string Post(const std::string& path, const std::string& json) const
    {
        return Request("POST " + path + " HTTP/1.0\r\nHost: 127.0.0.1\r\nContent-Type: application/json\r\n"
            + "Content-Length: " + std::to_string(json.size()) + "\r\n\r\n" + json);
    }

    // GETs a control path with its query; the response body, or "" when it failed.
    std::string Get(const std::string& pathAndQuery) const
    {
        return Request("GET " + pathAndQuery + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
    }

    // Asks the control channel to act on the user's behalf; fields: more members of the
    // JSON (R"(, "to": "...")"). The answer's body.
    std::string Control(
        const std::string& path, const std::string& user, const std::string& fields = "") const
    {
        return Post(path, R"({"user": ")" + user + "\"" + fields + "}");
    }
    // Another account acts as the second party ("sign-in", "status", "ask", "accept" ...
    // as party.py names them).
    std::string Party(
        const std::string& action, const std::string& user, const std::string& fields = "") const
    {
        return Control("/party/" + action, user, fields);
    }
    // What the party was sent, of one command ("MESG", "NTFY" ...) or of all, as the
    // service's JSON.
    std::string Received(const std::string& user, const std::string& command = "") const
    {
        return Get("/party/received?user=" + user + (command.empty() ? "" : "&command=" + command));
    }

    int dispatchPort = 0;
    int controlPort = 0;
    int updatePort = 0;
    std::string caFile;

private:
    // The first line written, waiting at most timeoutMs for each piece of it.
    static std::string ReadLine(int fd, int timeoutMs)
    {
        std::string line;
        char buffer[512];
        pollfd p { fd, POLLIN, 0 };
        ssize_t n;
        while (line.find('\n') == std::string::npos && poll(&p, 1, timeoutMs) > 0
            && (n = read(fd, buffer, sizeof buffer)) > 0)
            line.append(buffer, static_cast<size_t>(n));
        return line.substr(0, line.find('\n'));
    }

    int IntField(const std::string& name) const
    {
        size_t at = m_startLine.find("\"" + name + "\":");
        return at == std::string::npos ? 0 : std::atoi(m_startLine.c_str() + at + name.size() + 3);
    }

    std::string StringField(const std::string& name) const
    {
        size_t at = m_startLine.find("\"" + name + "\": \"");
        if (at == std::string::npos)
            return "";
        at += name.size() + 5;
        return m_startLine.substr(at, m_startLine.find('"', at) - at);
    }

    std::string Request(const std::string& request) const
    {
        int s = socket(AF_INET, SOCK_STREAM, 0);
        if (s < 0)
            return "";
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(controlPort));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        std::string response;
        if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
            && send(s, request.data(), request.size(), MSG_NOSIGNAL)
                == static_cast<ssize_t>(request.size())) {
            char buffer[4096];
            ssize_t n;
            while ((n = recv(s, buffer, sizeof buffer, 0)) > 0)
                response.append(buffer, static_cast<size_t>(n));
        }
        close(s);
        size_t body = response.find("\r\n\r\n");
        return body == std::string::npos ? "" : response.substr(body + 4);
    }

    pid_t m_pid = -1;
    std::string m_startLine;
};

// Accounts for the service: minsu and jiyeon, buddies in one group, and count memos from
// jiyeon to minsu, memo i titled "메모 i" with body(i), each a second later than the last.
// With moreBuddies, minsu has that many more in the group: t100@quorix.net, "테스트 100",
// and on.
inline std::string AccountsWithMemos(int count, const std::function<std::string(int)>& body, int moreBuddies = 0)
{
    std::string buddies, others;
    for (int i = 0; i < moreBuddies; ++i) {
        const std::string id = "t" + std::to_string(100 + i) + "@quorix.net";
        buddies += R"(, {"id": ")" + id + R"(", "flags": "1101", "group": "0"})";
        others += R"(, {"id": ")" + id + R"(", "password": "x", "name": "테스트 )" + std::to_string(100 + i)
            + R"(", "nick": "t", "buddies": [{"id": "minsu@quorix.net", "flags": "1101"}]})";
    }
    std::string memos;
    for (int i = 0; i < count; ++i)
        memos += std::string(i ? "," : "") + R"({"from": "jiyeon@quorix.net", "to": ["minsu@quorix.net"], )"
            + R"("title": "메모 )" + std::to_string(i) + R"(", "body": ")" + body(i)
            + R"(", "date": "202401010900)" + (i < 10 ? "0" : "") + std::to_string(i) + "\"}";
    return R"({"domain": "quorix.net", "accounts": [)"
           R"({"id": "minsu@quorix.net", "password": "minsu1234", "name": "김민수", "nick": "민수", )"
           R"("groups": [{"id": "0", "name": "기타"}], )"
           R"("buddies": [{"id": "jiyeon@quorix.net", "flags": "1101", "group": "0"})"
        + buddies
        + R"(]}, {"id": "jiyeon@quorix.net", "password": "jiyeon1234", "name": "이지연", "nick": "지연", )"
          R"("groups": [{"id": "0", "name": "기타"}], )"
          R"("buddies": [{"id": "minsu@quorix.net", "flags": "1101", "group": "0"}]})"
        + others + R"(], "memos": [)" + memos + "]}";
}
