// What the main server sends, arriving through a real socket: the peer's own receive
// loop reads it in as many pieces as the network makes, cuts frames and dispatches them
// until the server hangs up. The first byte says where the server splits its writes.
#include "fuzz/MessengerFuzz.h"
#include "fuzz/SplitReplyServer.h"

#include <chrono>
#include <thread>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static SplitReplyServer server(false);
    if (size > kMaxServiceInput)
        return 0;
    server.SetReply(std::string(reinterpret_cast<const char*>(data), size));
    BasicSignedInMessenger<TarvPeer> session;
    BasicMessengerSingletons<TarvPeer>& m = session.m;
    if (!m.peer.ConnectTo(L"127.0.0.1", server.Port(), 0))
        return 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        plat::DispatchPending();
        if (server.Served() && (session.screens.Has(L"ResetScreens") || m.peer.GetState() == UxTcpPeer::Idle))
            break;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    m.peer.Disconnect();
    plat::DispatchPending();
    return 0;
}
