#include "platform/net/Socket.h"
#include "platform/net/NetError.h"
#include "platform/net/SocketWatcher.h"
#include "tests/support/LoopbackServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sys/socket.h>
#include <thread>

using namespace plat;

namespace {

SocketAddress Loopback(int port)
{
    SocketAddress a;
    a.port = HostToNetwork16(static_cast<uint16_t>(port));
    a.address = InetAddr("127.0.0.1");
    return a;
}

// A port that nothing listens on: bind one, then let it go.
int FreePort()
{
    int port;
    {
        LoopbackServer s([](LoopbackServer&, int) {});
        port = s.Port();
    }
    return port;
}

TEST(PlatformSocket, ConnectFailuresCarryWinsockNumbers)
{
    SOCKET s = CreateTcpSocket();
    ASSERT_NE(s, INVALID_SOCKET);
    EXPECT_FALSE(ConnectWithTimeout(s, Loopback(FreePort()), 2000));
    EXPECT_EQ(WSAGetLastError(), WSAECONNREFUSED);
    CloseSocket(s);

    // 0.0.0.0 would reach this machine; it is refused before any packet leaves.
    s = CreateTcpSocket();
    SocketAddress any = Loopback(80);
    any.address = 0;
    EXPECT_EQ(ConnectSocket(s, any), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEADDRNOTAVAIL);
    CloseSocket(s);

    EXPECT_EQ(RecvSocket(INVALID_SOCKET, nullptr, 0), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
}

TEST(PlatformSocket, AddressesParseLikeInetAddr)
{
    EXPECT_EQ(InetAddr("10.0.0"), InetAddr("10.0.0.0"));
    EXPECT_EQ(InetAddr("1.2.3.4.5"), 0xFFFFFFFFu);
    uint32_t a = 0;
    EXPECT_TRUE(ResolveHostName("localhost", &a));
    EXPECT_EQ(a, InetAddr("127.0.0.1"));
    EXPECT_FALSE(ResolveHostName("no-such-host.invalid", &a));
    EXPECT_EQ(WSAGetLastError(), WSAHOST_NOT_FOUND);
}

TEST(PlatformSocket, WritingToAClosedPeerIsAnErrorNotASignal)
{
    LoopbackServer server([](LoopbackServer&, int fd) { ::shutdown(fd, SHUT_RDWR); });
    SOCKET s = CreateTcpSocket();
    ASSERT_TRUE(ConnectWithTimeout(s, Loopback(server.Port()), 2000));
    char byte = 0;
    ASSERT_EQ(WaitSocket(s, kSocketReadable, 2000) & kSocketReadable, kSocketReadable);
    EXPECT_EQ(RecvSocket(s, &byte, 1), 0);
    // The peer's reset arrives after the first writes; a busy machine may take a while.
    int result = 0;
    for (int i = 0; i < 200 && result >= 0; ++i) {
        result = SendSocket(s, "data", 4);
        if (result >= 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(result, SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAECONNRESET);
    CloseSocket(s);
}

TEST(PlatformSocket, BlockingReceiveTimesOut)
{
    LoopbackServer server([](LoopbackServer& self, int) { self.WaitStop(5000); });
    SOCKET s = CreateTcpSocket();
    ASSERT_TRUE(SetSocketTimeouts(s, 50));
    ASSERT_TRUE(ConnectWithTimeout(s, Loopback(server.Port()), 2000));
    EXPECT_FALSE(IsNonBlocking(s));
    char byte;
    EXPECT_EQ(RecvSocket(s, &byte, 1), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAETIMEDOUT);
    CloseSocket(s);
}

TEST(PlatformSocketWatcher, WakesForChangesAndWakesButNotForBytesLeftUnread)
{
    SocketWatcher watcher;
    ASSERT_TRUE(watcher.IsValid());
    watcher.Wake(); // before the wait
    EXPECT_EQ(watcher.Wait(-1), kSocketWoken);
    EXPECT_EQ(watcher.Wait(0), 0); // consumed

    // The server sends one byte at once and another when asked by a byte of ours.
    LoopbackServer server([](LoopbackServer& self, int fd) {
        char c;
        LoopbackServer::WriteAll(fd, "a");
        if (LoopbackServer::ReadSome(fd, &c, 1, 5000) == 1)
            LoopbackServer::WriteAll(fd, "b");
        self.WaitStop(5000);
    });
    SOCKET s = CreateTcpSocket();
    ASSERT_TRUE(ConnectWithTimeout(s, Loopback(server.Port()), 2000));
    ASSERT_TRUE(watcher.Watch(s));
    // Connected and, soon, the first byte: seen, then no more while it stays unread.
    int seen = 0;
    for (int i = 0; i < 50 && !(seen & kSocketReadable); ++i)
        seen |= watcher.Wait(100);
    EXPECT_EQ(seen & (kSocketReadable | kSocketWritable), kSocketReadable | kSocketWritable);
    EXPECT_EQ(watcher.Wait(50), 0);

    ASSERT_EQ(::send(s, "x", 1, 0), 1);
    EXPECT_TRUE(watcher.Wait(5000) & kSocketReadable); // the second byte arrived

    auto start = std::chrono::steady_clock::now();
    std::thread waker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        watcher.Wake();
    });
    int later = 0;
    for (int r = 0; !(later & kSocketWoken) && r >= 0;) {
        r = watcher.Wait(-1);
        later |= r > 0 ? r : 0;
    }
    EXPECT_EQ(later & kSocketReadable, 0); // both bytes still unread: no news
    waker.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    CloseSocket(s);
}

} // namespace
