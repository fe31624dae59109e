#pragma once

// A loopback server for the fuzz targets that read from a real socket: each connection
// gets the next of the replies last set (the last one again once they have all been
// served), in two writes split where its first byte says or, when the server was made
// without splits, in one; then the server hangs up.

#include "tests/support/LoopbackServer.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class SplitReplyServer {
public:
    // readRequest: take in what the client sends first, as an HTTP server would.
    // split: write each reply in two parts with a pause between them, so that the
    // client reads it in two pieces.
    explicit SplitReplyServer(bool readRequest, bool split = true)
        : m_readRequest(readRequest)
        , m_split(split)
    {
    }

    void SetReply(std::string bytes) { SetReplies({ std::move(bytes) }); }
    void SetReplies(std::vector<std::string> replies)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_replies = std::move(replies);
        m_next = 0;
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
        bool last = false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_replies.empty()) {
                bytes = m_replies[m_next];
                last = m_next + 1 == m_replies.size();
                if (!last)
                    ++m_next;
            }
        }
        LoopbackServer::NoDelay(fd);
        if (m_split) {
            const size_t split = bytes.empty() ? 0 : static_cast<uint8_t>(bytes[0]) % (bytes.size() + 1);
            LoopbackServer::WriteAll(fd, bytes.substr(0, split));
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            LoopbackServer::WriteAll(fd, bytes.substr(split));
        } else {
            LoopbackServer::WriteAll(fd, bytes);
        }
        ::shutdown(fd, SHUT_WR);
        if (last)
            m_served = true;
    }

    const bool m_readRequest;
    const bool m_split;
    std::mutex m_mutex;
    std::vector<std::string> m_replies;
    size_t m_next = 0;
    std::atomic<bool> m_served { false };
    LoopbackServer m_server { [this](LoopbackServer&, int fd) { Serve(fd); } }; // last: its thread serves
};
