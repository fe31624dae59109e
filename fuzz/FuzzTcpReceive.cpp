// What the main server sends, arriving through a real socket: the peer's own receive
// loop reads it in as many pieces as the network makes, cuts frames and dispatches them
// until the server hangs up. The first byte says where the server splits its writes.
#include "platform/event/MessageQueue.h"
#include "tests/support/LoopbackServer.h"
#include "tests/support/MessengerSingletons.h"
#include "tests/support/RecordingScreens.h"
#include "tests/support/TraceCapture.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace {

std::mutex g_mutex;
std::string g_bytes;
std::atomic<bool> g_served { false };

void Serve(LoopbackServer&, int fd)
{
    std::string bytes;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        bytes = g_bytes;
    }
    LoopbackServer::NoDelay(fd);
    const size_t split = bytes.empty() ? 0 : static_cast<uint8_t>(bytes[0]) % (bytes.size() + 1);
    LoopbackServer::WriteAll(fd, bytes.substr(0, split));
    std::this_thread::sleep_for(std::chrono::microseconds(200));
    LoopbackServer::WriteAll(fd, bytes.substr(split));
    ::shutdown(fd, SHUT_WR);
    g_served = true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static LoopbackServer server(Serve);
    if (size > (1u << 20))
        return 0;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_bytes.assign(reinterpret_cast<const char*>(data), size);
    }
    g_served = false;
    TraceCapture quiet;
    RecordingScreens screens;
    BasicMessengerSingletons<TarvPeer> m;
    m.me.Id = L"kim@quorix.net";
    m.peer.SetStage(TarvPeer::StageMain);
    if (!m.peer.ConnectTo(L"127.0.0.1", server.Port(), 0))
        return 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        plat::DispatchPending();
        if (g_served && (screens.Has(L"ResetScreens") || m.peer.GetState() == UxTcpPeer::Idle))
            break;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    m.peer.Disconnect();
    plat::DispatchPending();
    return 0;
}
