#pragma once

// A loopback server for the fuzz targets that read from a real socket: each connection
// gets the reply last set, in two writes split where its first byte says, and then the
// server hangs up.

#include "tests/support/LoopbackServer.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>

class SplitReplyServer {
public:
    // readRequest: take in what the client sends first, as an HTTP server would.
    explicit SplitReplyServer(bool readRequest)
        : m_readRequest(readRequest)
    {
    }

    void SetReply(std::string bytes)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_reply = std::move(bytes);
        m_served = false;
    }
    // True once the last reply set has been written whole.
    bool Served() const { return m_served; }
    int Port() const { return m_server.Port(); }

private:
    void Serve(int fd)
    {
        if (m_readRequest) {
            char request[4096];
            LoopbackServer::ReadSome(fd, request, sizeof request, 1000);
        }
        std::string bytes;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            bytes = m_reply;
        }
        LoopbackServer::NoDelay(fd);
        const size_t split = bytes.empty() ? 0 : static_cast<uint8_t>(bytes[0]) % (bytes.size() + 1);
        LoopbackServer::WriteAll(fd, bytes.substr(0, split));
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        LoopbackServer::WriteAll(fd, bytes.substr(split));
        ::shutdown(fd, SHUT_WR);
        m_served = true;
    }

    const bool m_readRequest;
    std::mutex m_mutex;
    std::string m_reply;
    std::atomic<bool> m_served { false };
    LoopbackServer m_server { [this](LoopbackServer&, int fd) { Serve(fd); } }; // last: its thread serves
};
